#include "wizard/sourcePicture.h"

#include "common/KanvoError.h"

#include <QFileInfo>
#include <QImageReader>
#include <cstdint>

bool IsSourcePictureFile(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QLatin1String("bmp") || suffix == QLatin1String("jpg")
           || suffix == QLatin1String("jpeg") || suffix == QLatin1String("gif");
}

QImage LoadSourcePicture(const QString &fileName)
{
    if (!IsSourcePictureFile(fileName))
        throw EKanvoError(QStringLiteral("%1: not a picture kind that can be loaded (use .bmp, .jpg, "
                                         ".jpeg or .gif)")
                              .arg(fileName));
    if (!QFileInfo(fileName).isFile())
        throw EKanvoError(QStringLiteral("%1: file not found").arg(fileName));
    QImageReader reader(fileName);
    // The scheme follows the pixels as stored; orientation tags are not applied.
    reader.setAutoTransform(false);
    QImage picture = reader.read();
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        throw EKanvoError(QStringLiteral("%1: cannot read the picture (%2)")
                              .arg(fileName, reader.errorString()));
    return picture.convertToFormat(QImage::Format_RGB32);
}

QImage ScalePictureNearest(const QImage &source, int width, int height)
{
    QImage target(width, height, QImage::Format_RGB32);
    if (target.isNull() || source.isNull())
        throw EKanvoError(QStringLiteral("Cannot make a %1x%2 picture.").arg(width).arg(height));
    const QImage rgb = source.format() == QImage::Format_RGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    const std::int64_t sourceWidth = rgb.width();
    const std::int64_t sourceHeight = rgb.height();
    for (int y = 0; y < height; ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(
            rgb.constScanLine(int(std::int64_t(y) * sourceHeight / height)));
        auto *to = reinterpret_cast<QRgb *>(target.scanLine(y));
        for (int x = 0; x < width; ++x)
            to[x] = from[std::int64_t(x) * sourceWidth / width] | 0xff000000u;
    }
    return target;
}
