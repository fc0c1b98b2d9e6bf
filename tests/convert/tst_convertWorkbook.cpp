// kanvo-convert writing workbooks: from a scheme file in each view mode, the workbook shows the
// scheme's symbols, the view's colours and the table as the program would export them after
// opening that file; bad view names and unwritable targets fail with a message.
#include "colour/rgbBitmaps.h"
#include "common/symbolChars.h"
#include "document/schemeFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Trun {
    int Code = -1;
    QString Out, Err;
};

Trun Convert(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(KANVO_CONVERT), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QJsonObject ReadWorkbook(const QString &file)
{
    for (const QString &python : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess process;
        process.start(python, {QStringLiteral(KANVO_TEST_DATA "/../output/readXls.py"), file});
        if (process.waitForFinished(120000) && process.exitCode() == 0)
            return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    }
    qFatal("python3 with xlrd (Debian package python3-xlrd) is needed to read workbooks back");
}

QJsonArray Rgb(TpackedColor color)
{
    return QJsonArray{int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF)};
}

} // namespace

class TestConvertWorkbook : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void viewModes_data();
    void viewModes();
    void refusals_data();
    void refusals();

private:
    QTemporaryDir m_dir;
    QString m_scheme;
};

// A 30 x 20 picture of four flat areas, made into a scheme file by the converter itself.
void TestConvertWorkbook::initTestCase()
{
    QImage picture(30, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            picture.setPixel(x, y, x < 15 ? (y < 10 ? 0x202060 : 0xE0E0A0) : (y < 10 ? 0xC03020 : 0x40A040));
    const QString bmp = m_dir.filePath(QStringLiteral("four.bmp"));
    QVERIFY(picture.save(bmp));
    m_scheme = m_dir.filePath(QStringLiteral("four.zel"));
    const Trun run = Convert({bmp, m_scheme, QStringLiteral("--colors"), QStringLiteral("4"),
                              QStringLiteral("--no-dither")});
    QVERIFY2(run.Code == 0, qPrintable(run.Err));
}

void TestConvertWorkbook::viewModes_data()
{
    QTest::addColumn<QString>("view");
    QTest::newRow("symbols") << "symbols";
    QTest::newRow("halftone") << "halftone";
    QTest::newRow("symbols-colors") << "symbols-colors";
    QTest::newRow("colors") << "colors";
}

void TestConvertWorkbook::viewModes()
{
    QFETCH(QString, view);
    const QString out = m_dir.filePath(view + QStringLiteral(".xls"));
    const Trun run = Convert({m_scheme, out, QStringLiteral("--view"), view});
    QVERIFY2(run.Code == 0, qPrintable(run.Err));
    QVERIFY(run.Out.contains(QStringLiteral("30x20 stitches")));

    const TschemeFileContents scheme = LoadSchemeFile(m_scheme);
    const TindexBitmap &bitmap = *scheme.Bitmap;
    const QJsonObject book = ReadWorkbook(out);
    const QJsonArray sheets = book.value(QStringLiteral("sheets")).toArray();
    QCOMPARE(sheets.at(0).toObject().value(QStringLiteral("name")).toString(), QStringLiteral("Scheme, sheet 1"));
    const QJsonObject cells = sheets.at(0).toObject().value(QStringLiteral("cells")).toObject();
    const QJsonObject xfs = book.value(QStringLiteral("xfs")).toObject();
    const QJsonArray fonts = book.value(QStringLiteral("fonts")).toArray();
    const QJsonObject palette = book.value(QStringLiteral("palette")).toObject();
    auto colour = [&](int index) { return palette.value(QString::number(index)).toArray(); };
    const QJsonArray white{255, 255, 255}, black{0, 0, 0};

    for (const auto &[r, c] : {std::pair{0, 0}, std::pair{5, 20}, std::pair{15, 3}, std::pair{19, 29}}) {
        TcountColor color = bitmap.GetColor(bitmap.GetPixel(r, c));
        const QJsonObject cell = cells.value(QStringLiteral("%1,%2").arg(r + 1).arg(c + 1)).toObject();
        const QJsonObject xf = xfs.value(QString::number(cell.value(QStringLiteral("xf")).toInt())).toObject();
        const QJsonObject font = fonts.at(xf.value(QStringLiteral("font")).toInt()).toObject();
        QCOMPARE(cell.value(QStringLiteral("value")).toString(), view == QLatin1String("colors") ? QString() : SymbolText(color.Symbol));
        const QJsonArray fill = colour(xf.value(QStringLiteral("fill")).toInt());
        if (view == QLatin1String("symbols"))
            QCOMPARE(fill, white);
        else if (view == QLatin1String("halftone"))
            QCOMPARE(fill, Rgb(color.HalfToneColor()));
        else
            QCOMPARE(fill, Rgb(color.ToColor()));
        QCOMPARE(colour(font.value(QStringLiteral("colour")).toInt()),
                 view == QLatin1String("symbols-colors") && color.IsDark() ? white : black);
        QCOMPARE(font.value(QStringLiteral("name")).toString(), QString::fromLatin1(scheme.FontName));
    }

    // The table: one row per used colour, swatches only where colours are shown, the kit last.
    const QJsonObject table = sheets.at(1).toObject().value(QStringLiteral("cells")).toObject();
    const int used = bitmap.UsedColorCount();
    QCOMPARE(table.value(QStringLiteral("%1,0").arg(used + 1)).toObject().value(QStringLiteral("value")).toString(),
             QStringLiteral("(%1)").arg(QString::fromLatin1(scheme.KitName)));
    const bool swatches = view == QLatin1String("symbols-colors") || view == QLatin1String("colors");
    for (int i = 1; i <= used; ++i) {
        const QJsonObject swatch = xfs.value(QString::number(table.value(QStringLiteral("%1,2").arg(i)).toObject().value(QStringLiteral("xf")).toInt())).toObject();
        QCOMPARE(swatch.value(QStringLiteral("pattern")).toInt(), swatches ? 1 : 0);
    }
}

void TestConvertWorkbook::refusals_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown view") << QStringList{"--view", "sepia"} << "out.xls" << 2 << "'sepia' is not a view mode";
    QTest::newRow("view without mode") << QStringList{"--view"} << "out.xls" << 2 << "--view needs a MODE";
    QTest::newRow("missing folder") << QStringList{} << "missing/out.xls" << 1 << "missing/out.xls";
}

void TestConvertWorkbook::refusals()
{
    QFETCH(QStringList, extra);
    QFETCH(QString, target);
    QFETCH(int, code);
    QFETCH(QString, message);
    const QString out = m_dir.filePath(target);
    const Trun run = Convert(QStringList{m_scheme, out} + extra);
    QCOMPARE(run.Code, code);
    QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
    QVERIFY(!QFileInfo::exists(out));
}

QTEST_GUILESS_MAIN(TestConvertWorkbook)
#include "tst_convertWorkbook.moc"
