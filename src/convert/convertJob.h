#pragma once
// What the new-scheme wizard does on a fresh start, without its window: load the picture, derive
// and apply the scheme size, scale, analyse against the kit, reduce, choose the default symbols
// and hand them to the colours.
#include "convertOptions.h"
#include "kitChoice.h"

#include <QImage>
#include <memory>

class TindexBitmap;

struct TconvertResult {
    std::unique_ptr<TindexBitmap> Scheme;
    QImage Preview;  // the reduced picture, Width x Height
    int Width = 0;
    int Height = 0;

    TconvertResult();
    TconvertResult(TconvertResult &&) noexcept;
    ~TconvertResult();
};

// Throws EKanvoError naming the file at fault.
TconvertResult ConvertPicture(const TconvertOptions &options, const TchosenKit &kit);
