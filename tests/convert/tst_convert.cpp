// The command-line converter, run as a separate program: what it writes for good input, the size
// it derives from its options, and how it refuses bad input without touching an existing output.
#include "colour/rgbBitmaps.h"
#include "document/schemeFile.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct TrunResult {
    int ExitCode = -1;
    QString Out;
    QString Err;
};

TrunResult RunConvert(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(KANVO_CONVERT), arguments);
    TrunResult result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.ExitCode = process.exitCode();
    result.Out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.Err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

bool WriteFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A smooth picture with many colours, saved as a Windows bitmap.
QString WriteGradient(const QTemporaryDir &dir, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) % 256));
    const QString path = dir.filePath(QStringLiteral("gradient-%1x%2.bmp").arg(width).arg(height));
    return picture.save(path, "BMP") ? path : QString();
}

const QByteArray SmallKit = "[GENERAL]\r\nNAME=Three Reds\r\n\r\n[THREAD_COLORS]\r\n"
                            "R1=255,0,0\r\nR2=128,0,0\r\nR3=255,128,128\r\n";

} // namespace

class TestConvert : public QObject {
    Q_OBJECT
private slots:
    void photoBecomesSchemeFile();
    void sizeFromOptions_data();
    void sizeFromOptions();
    void kitFileAndColourCount();
    void badInputIsRefused_data();
    void badInputIsRefused();
};

void TestConvert::photoBecomesSchemeFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString output = dir.filePath(QStringLiteral("out.zel"));
    const QString preview = dir.filePath(QStringLiteral("preview.png"));
    const TrunResult run = RunConvert({QStringLiteral("--width"), QStringLiteral("120"),
                                       QStringLiteral("--height"), QStringLiteral("90"),
                                       QStringLiteral("--kit"), QStringLiteral("DMC"),
                                       QStringLiteral("--preview"), preview,
                                       QStringLiteral(KANVO_TEST_DATA "/brushes-1000.jpg"), output});
    QVERIFY2(run.ExitCode == 0, qPrintable(run.Err));
    QVERIFY(run.Err.isEmpty());

    const TschemeFileContents scheme = LoadSchemeFile(output);
    const TindexBitmap &bitmap = *scheme.Bitmap;
    QCOMPARE(bitmap.Width, 120);
    QCOMPARE(bitmap.Height, 90);
    QCOMPARE(scheme.KitName, QByteArray("DMC"));
    QCOMPARE(scheme.FontName, QByteArray("Glifa"));
    QVERIFY(bitmap.ColorCount() >= 2 && bitmap.ColorCount() <= 25);

    const QRegularExpression summary(QStringLiteral(
        "^(.+): 120x90 stitches, (\\d+) colors chosen, (\\d+) used, \\d+ ms\\n$"));
    const QRegularExpressionMatch match = summary.match(run.Out);
    QVERIFY2(match.hasMatch(), qPrintable(run.Out));
    QCOMPARE(match.captured(1), output);
    QCOMPARE(match.captured(2).toInt(), bitmap.ColorCount());
    QCOMPARE(match.captured(3).toInt(), bitmap.UsedColorCount());

    // Counts, symbols and raster agree with one another and with the preview picture.
    QSet<char> symbols;
    int total = 0;
    for (int c = 0; c < bitmap.ColorCount(); ++c) {
        total += bitmap.GetColor(c).Count;
        symbols.insert(bitmap.GetColor(c).Symbol);
        if (c > 0)
            QVERIFY(static_cast<unsigned char>(bitmap.GetColor(c - 1).Symbol)
                    < static_cast<unsigned char>(bitmap.GetColor(c).Symbol));
    }
    QCOMPARE(total, 120 * 90);
    QCOMPARE(symbols.size(), bitmap.ColorCount());
    QCOMPARE(int(static_cast<unsigned char>(bitmap.GetColor(0).Symbol)), 48);
    QCOMPARE(int(static_cast<unsigned char>(bitmap.GetColor(bitmap.ColorCount() - 1).Symbol)), 255);

    const QImage reduced(preview);
    QCOMPARE(reduced.size(), QSize(120, 90));
    std::vector<int> recount(std::size_t(bitmap.ColorCount()), 0);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x) {
            const TcountColor &color = bitmap.GetColor(bitmap.GetPixel(y, x));
            ++recount[std::size_t(bitmap.GetPixel(y, x))];
            QCOMPARE(reduced.pixel(x, y), qRgb(color.Red, color.Green, color.Blue));
        }
    for (int c = 0; c < bitmap.ColorCount(); ++c)
        QCOMPARE(recount[std::size_t(c)], bitmap.GetColor(c).Count);
}

void TestConvert::sizeFromOptions_data()
{
    QTest::addColumn<int>("pictureWidth");
    QTest::addColumn<int>("pictureHeight");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("size");
    const QString w = QStringLiteral("--width");
    const QString h = QStringLiteral("--height");
    QTest::newRow("picture's own") << 150 << 100 << QStringList{} << QStringLiteral("150x100");
    QTest::newRow("width, aspect") << 150 << 100 << QStringList{w, QStringLiteral("60")} << QStringLiteral("60x40");
    QTest::newRow("height, aspect") << 150 << 100 << QStringList{h, QStringLiteral("50")} << QStringLiteral("75x50");
    QTest::newRow("width, free") << 150 << 100 << QStringList{QStringLiteral("--no-keep-aspect"), w, QStringLiteral("60")}
                                 << QStringLiteral("60x100");
    QTest::newRow("both given") << 150 << 100 << QStringList{w, QStringLiteral("60"), h, QStringLiteral("30")}
                                << QStringLiteral("60x30");
    QTest::newRow("too wide, aspect") << 1500 << 800 << QStringList{} << QStringLiteral("999x533");
    QTest::newRow("too wide, free") << 1500 << 800 << QStringList{QStringLiteral("--no-keep-aspect")}
                                    << QStringLiteral("1000x533");
}

void TestConvert::sizeFromOptions()
{
    QFETCH(int, pictureWidth);
    QFETCH(int, pictureHeight);
    QFETCH(QStringList, options);
    QFETCH(QString, size);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString picture = WriteGradient(dir, pictureWidth, pictureHeight);
    QVERIFY(!picture.isEmpty());
    const QString output = dir.filePath(QStringLiteral("sized.zel"));
    const TrunResult run = RunConvert(options + QStringList{QStringLiteral("--no-dither"), picture, output});
    QVERIFY2(run.ExitCode == 0, qPrintable(run.Err));
    QVERIFY2(run.Out.contains(QStringLiteral(": %1 stitches,").arg(size)), qPrintable(run.Out));
    const TschemeFileContents scheme = LoadSchemeFile(output);
    QCOMPARE(QStringLiteral("%1x%2").arg(scheme.Bitmap->Width).arg(scheme.Bitmap->Height), size);
}

void TestConvert::kitFileAndColourCount()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString kit = dir.filePath(QStringLiteral("reds.thr"));
    QVERIFY(WriteFile(kit, SmallKit));
    const QString picture = WriteGradient(dir, 40, 30);
    const QString output = dir.filePath(QStringLiteral("reds.zel"));
    const TrunResult run = RunConvert({QStringLiteral("--kit"), kit, QStringLiteral("--colors"),
                                       QStringLiteral("2"), QStringLiteral("--font"),
                                       QStringLiteral("Wingdings"), picture, output});
    QVERIFY2(run.ExitCode == 0, qPrintable(run.Err));
    const TschemeFileContents scheme = LoadSchemeFile(output);
    QCOMPARE(scheme.KitName, QByteArray("Three Reds"));
    QCOMPARE(scheme.FontName, QByteArray("Wingdings"));
    QCOMPARE(scheme.Bitmap->ColorCount(), 2);
    const QSet<QByteArray> threads{"R1", "R2", "R3"};
    for (int c = 0; c < 2; ++c)
        QVERIFY(threads.contains(scheme.Bitmap->GetColor(c).Thread));
    // Two colours get the first and the last symbol of the alphabet.
    QCOMPARE(int(static_cast<unsigned char>(scheme.Bitmap->GetColor(0).Symbol)), 48);
    QCOMPARE(int(static_cast<unsigned char>(scheme.Bitmap->GetColor(1).Symbol)), 255);
}

void TestConvert::badInputIsRefused_data()
{
    // %d stands for the temporary folder. The output, where it can exist, is made beforehand and
    // must come through unchanged.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::addColumn<int>("exitCode");
    const QString picture = QStringLiteral("%d/picture.bmp");
    const QString output = QStringLiteral("%d/out.zel");
    const QString kit = QStringLiteral("--kit");
    QTest::newRow("missing picture") << QStringList{QStringLiteral("%d/missing.jpg"), output}
                                     << QStringLiteral("missing.jpg") << 1;
    QTest::newRow("damaged picture") << QStringList{QStringLiteral("%d/damaged.jpg"), output}
                                     << QStringLiteral("damaged.jpg") << 1;
    QTest::newRow("unknown kit") << QStringList{kit, QStringLiteral("No Such Kit"), picture, output}
                                 << QStringLiteral("No Such Kit") << 1;
    QTest::newRow("missing kit file") << QStringList{kit, QStringLiteral("%d/gone.thr"), picture, output}
                                      << QStringLiteral("gone.thr") << 1;
    QTest::newRow("malformed kit file") << QStringList{kit, QStringLiteral("%d/bad.thr"), picture, output}
                                        << QStringLiteral("bad.thr") << 1;
    QTest::newRow("kit without threads") << QStringList{kit, QStringLiteral("%d/empty.thr"), picture, output}
                                         << QStringLiteral("empty.thr") << 1;
    QTest::newRow("one color") << QStringList{QStringLiteral("--colors"), QStringLiteral("1"), picture, output}
                               << QStringLiteral("--colors") << 2;
    QTest::newRow("51 colors") << QStringList{QStringLiteral("--colors"), QStringLiteral("51"), picture, output}
                               << QStringLiteral("--colors") << 2;
    QTest::newRow("width 1001") << QStringList{QStringLiteral("--width"), QStringLiteral("1001"), picture, output}
                                << QStringLiteral("--width") << 2;
    QTest::newRow("other output kind") << QStringList{picture, QStringLiteral("%d/out.txt")}
                                       << QStringLiteral("out.txt") << 2;
    QTest::newRow("unwritable output folder") << QStringList{picture, QStringLiteral("%d/no-folder/out.zel")}
                                              << QStringLiteral("no-folder") << 1;
    QTest::newRow("unwritable preview") << QStringList{QStringLiteral("--preview"), QStringLiteral("%d/no-folder/p.png"),
                                                       picture, QStringLiteral("%d/fresh.zel")}
                                        << QStringLiteral("p.png") << 1;
}

void TestConvert::badInputIsRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(!WriteGradient(dir, 20, 10).isEmpty());
    QVERIFY(QFile::rename(dir.filePath(QStringLiteral("gradient-20x10.bmp")), dir.filePath(QStringLiteral("picture.bmp"))));
    QVERIFY(WriteFile(dir.filePath(QStringLiteral("damaged.jpg")), QByteArray("\xff\xd8\xff\xe0 not really", 15)));
    QVERIFY(WriteFile(dir.filePath(QStringLiteral("bad.thr")), "[GENERAL]\nNAME=Bad\n[THREAD_COLORS]\n1=12 34 56\n"));
    QVERIFY(WriteFile(dir.filePath(QStringLiteral("empty.thr")), "[GENERAL]\nNAME=Empty\n"));
    const QByteArray previous = "previous scheme";
    QVERIFY(WriteFile(dir.filePath(QStringLiteral("out.zel")), previous));
    for (QString &argument : arguments)
        argument.replace(QLatin1String("%d"), dir.path());

    const TrunResult run = RunConvert(arguments);
    QCOMPARE(run.ExitCode, exitCode);
    QVERIFY2(run.Err.contains(named), qPrintable(run.Err));
    QCOMPARE(run.Err.count(QLatin1Char('\n')), 1);
    QVERIFY(run.Out.isEmpty());
    QCOMPARE(ReadFile(dir.filePath(QStringLiteral("out.zel"))), previous);
    for (const char *name : {"out.txt", "fresh.zel", "no-folder"})
        QVERIFY2(!QFile::exists(dir.filePath(QLatin1String(name))), name);
}

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
