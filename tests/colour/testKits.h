#pragma once
// Small fixtures shared by the colour tests: kit files written into a temporary folder and tiny
// pictures given pixel by pixel.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

// Writes a kit file with the given "code=r,g,b" lines and returns its path.
inline QString WriteKit(const QTemporaryDir &dir, const QString &name, const QStringList &lines)
{
    const QString path = QDir(dir.path()).filePath(name + QStringLiteral(".thr"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the kit fixture %s", qPrintable(path));
    QByteArray text = "[GENERAL]\nNAME=" + name.toLatin1() + "\n\n[THREAD_COLORS]\n";
    for (const QString &line : lines)
        text += line.toLatin1() + '\n';
    file.write(text);
    return path;
}

// A picture of rows given as lists of QRgb values, top row first.
inline QImage MakePicture(const QList<QList<QRgb>> &rows)
{
    QImage picture(rows.isEmpty() ? 0 : int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            picture.setPixel(x, y, rows[y][x]);
    return picture;
}

inline QImage UniformPicture(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

inline QRgb Grey(int level)
{
    return qRgb(level, level, level);
}
