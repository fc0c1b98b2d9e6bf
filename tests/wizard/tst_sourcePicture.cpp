// Loading source pictures and the nearest-pixel stretch to the scheme size.
#include "common/KanvoError.h"
#include "wizard/sourcePicture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every pixel a different colour, so a wrong source pixel cannot go unnoticed.
QImage DistinctPixels(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x * 13 + y * 17) % 256));
    return picture.convertToFormat(format);
}

} // namespace

class TestSourcePicture : public QObject {
    Q_OBJECT
private slots:
    void sameSizePassesUnchanged_data();
    void sameSizePassesUnchanged();
    void stretchTakesNearestPixel_data();
    void stretchTakesNearestPixel();
    void loadsRealPictures();
    void badFilesAreReported_data();
    void badFilesAreReported();
};

void TestSourcePicture::sameSizePassesUnchanged_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("RGB32") << int(QImage::Format_RGB32);
    QTest::newRow("ARGB32") << int(QImage::Format_ARGB32);
    QTest::newRow("RGB888") << int(QImage::Format_RGB888);
}

void TestSourcePicture::sameSizePassesUnchanged()
{
    QFETCH(int, format);
    const QImage source = DistinctPixels(37, 23, QImage::Format(format));
    const QImage scaled = ScalePictureNearest(source, 37, 23);
    QCOMPARE(scaled.format(), QImage::Format_RGB32);
    QCOMPARE(scaled, DistinctPixels(37, 23));
}

void TestSourcePicture::stretchTakesNearestPixel_data()
{
    QTest::addColumn<int>("sourceWidth");
    QTest::addColumn<int>("sourceHeight");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("double") << 5 << 4 << 10 << 8;
    QTest::newRow("shrink by three") << 30 << 9 << 10 << 3;
    QTest::newRow("uneven") << 7 << 13 << 3 << 5;
    QTest::newRow("one pixel up") << 1 << 1 << 2 << 2;
}

void TestSourcePicture::stretchTakesNearestPixel()
{
    QFETCH(int, sourceWidth);
    QFETCH(int, sourceHeight);
    QFETCH(int, width);
    QFETCH(int, height);
    const QImage source = DistinctPixels(sourceWidth, sourceHeight);
    const QImage scaled = ScalePictureNearest(source, width, height);
    QCOMPARE(scaled.size(), QSize(width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            QCOMPARE(scaled.pixel(x, y),
                     source.pixel(x * sourceWidth / width, y * sourceHeight / height));
}

void TestSourcePicture::loadsRealPictures()
{
    const QImage photo = LoadSourcePicture(QStringLiteral(KANVO_TEST_DATA "/brushes-1000.jpg"));
    QCOMPARE(photo.size(), QSize(1000, 1000));
    QCOMPARE(photo.format(), QImage::Format_RGB32);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString bmp = dir.filePath(QStringLiteral("picture.BMP"));
    QVERIFY(DistinctPixels(9, 6).save(bmp, "BMP"));
    QCOMPARE(LoadSourcePicture(bmp), DistinctPixels(9, 6));
}

void TestSourcePicture::badFilesAreReported_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << QStringLiteral("missing.jpg") << QByteArray();
    QTest::newRow("damaged jpeg") << QStringLiteral("damaged.jpg") << QByteArray("\xff\xd8\xff garbage", 12);
    QTest::newRow("not a gif") << QStringLiteral("text.gif") << QByteArray("plain text\n");
    QTest::newRow("empty bmp") << QStringLiteral("empty.bmp") << QByteArray("");
    QTest::newRow("other kind") << QStringLiteral("picture.png") << QByteArray("\x89PNG");
}

void TestSourcePicture::badFilesAreReported()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(fileName);
    if (!fileName.startsWith(QLatin1String("missing"))) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    try {
        LoadSourcePicture(path);
        QFAIL("no error");
    } catch (const EKanvoError &error) {
        QVERIFY2(error.Message().contains(path), qPrintable(error.Message()));
    }
}

QTEST_GUILESS_MAIN(TestSourcePicture)
#include "tst_sourcePicture.moc"
