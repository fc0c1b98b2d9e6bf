#pragma once
// The scheme the benchmarks work on: 1000 x 1000 stitches of 50 colours in an uneven pattern, so
// that no colour runs along a whole row, with exact stitch counts.
#include "colour/rgbBitmaps.h"

#include <memory>

inline std::unique_ptr<TindexBitmap> FullSizeScheme(int symbolStep = 1)
{
    constexpr int side = 1000;
    constexpr int colours = 50;
    auto list = std::make_unique<TrgbArray>(colours);
    for (int i = 0; i < colours; ++i)
        list->SetItem(i, TcountColor(i * 5, 255 - i * 5, (i * 37) % 256, 0, QByteArray::number(3800 + i),
                                     char(48 + i * symbolStep)));
    auto scheme = std::make_unique<TindexBitmap>(side, side, std::move(list));
    for (int row = 0; row < side; ++row)
        for (int col = 0; col < side; ++col) {
            const int index = (row * 7 + col * 13 + (row * col) % 11) % colours;
            scheme->SetPixel(row, col, index);
            scheme->GetColor(index).IncCount();
        }
    return scheme;
}
