#pragma once
// The pictures a scheme is made from: loading a source picture file and stretching it, nearest
// pixel, to the scheme size.
#include <QImage>
#include <QString>

// File name filters of the picture kinds that can be loaded (Windows bitmap, JPEG, GIF).
bool IsSourcePictureFile(const QString &fileName);

// Loads a .bmp, .jpg/.jpeg or .gif file as a 32-bit picture (QImage::Format_RGB32). Throws
// EKanvoError naming the file and the reason when it cannot be read.
QImage LoadSourcePicture(const QString &fileName);

// Stretches source over a width x height RGB32 picture: each target pixel takes the colour of
// source pixel (x * sourceWidth / width, y * sourceHeight / height), without averaging. A source
// already of that size comes back pixel for pixel.
QImage ScalePictureNearest(const QImage &source, int width, int height);
