#pragma once
// Whole scheme files on disk: SaveSchemeFile writes a raster with its font and kit names through a
// temporary file that replaces the target only once it is complete, and LoadSchemeFile reads one
// back into a new raster. Failures throw EKanvoError with the user's message: "Cannot create file
// "%s". %s" or "Cannot open file "%s". %s" with the full path and the system's reason, or the
// reader's message for a text that is no scheme.
#include "colour/rgbBitmaps.h"

#include <QByteArray>
#include <QString>
#include <memory>

struct TschemeFileContents {
    std::unique_ptr<TindexBitmap> Bitmap;
    QByteArray FontName;  // the symbol font name
    QByteArray KitName;   // the thread kit's display name
};

void SaveSchemeFile(const TindexBitmap &bitmap, const QByteArray &fontName, const QByteArray &kitName,
                    const QString &path);
TschemeFileContents LoadSchemeFile(const QString &path);

// The messages, for callers that open or create the file themselves.
QString CannotCreateFileMessage(const QString &path, const QString &reason);
QString CannotOpenFileMessage(const QString &path, const QString &reason);
