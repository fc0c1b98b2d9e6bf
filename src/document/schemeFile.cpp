#include "document/schemeFile.h"

#include "common/KanvoError.h"
#include "document/serializableSheme.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The largest scheme (1000 x 1000 stitches, 255 colours) is about 1 MB; a file many times that
// size is not one, and reading it whole could exhaust memory.
constexpr qint64 kMaxSchemeFileBytes = 256ll * 1024 * 1024;

QString FullPath(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace

QString CannotCreateFileMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(FullPath(path), reason);
}

QString CannotOpenFileMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(FullPath(path), reason);
}

void SaveSchemeFile(const TindexBitmap &bitmap, const QByteArray &fontName, const QByteArray &kitName,
                    const QString &path)
{
    // The scheme text is built before the file is touched, so a failure there leaves any existing
    // file as it was; QSaveFile replaces it only when every byte has been written.
    const QByteArray text = SchemeXmlText(TserializableBitmap::CreateFromBitmap(bitmap, fontName, kitName));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EKanvoError(CannotCreateFileMessage(path, file.errorString()));
    if (file.write(text) != text.size() || !file.commit())
        throw EKanvoError(CannotCreateFileMessage(path, file.errorString()));
}

TschemeFileContents LoadSchemeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EKanvoError(CannotOpenFileMessage(path, file.errorString()));
    // Read in pieces rather than by the reported size, which is 0 for devices and pipes.
    QByteArray bytes;
    for (;;) {
        const QByteArray piece = file.read(1 << 20);
        if (piece.isEmpty())
            break;
        bytes += piece;
        if (bytes.size() > kMaxSchemeFileBytes)
            throw EKanvoError(CannotOpenFileMessage(path, QStringLiteral("The file is too large to be a scheme file.")));
    }
    if (file.error() != QFileDevice::NoError)
        throw EKanvoError(CannotOpenFileMessage(path, file.errorString()));
    file.close();

    TserializableBitmap scheme;
    ReadSchemeXml(scheme, bytes);
    TschemeFileContents contents;
    contents.Bitmap = scheme.ToIndexBitmap();
    contents.FontName = scheme.FontName;
    contents.KitName = scheme.DMCPalette;
    return contents;
}
