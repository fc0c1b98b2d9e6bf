// Workbooks written by the spreadsheet server, read back by an independent reader (python3-xlrd
// with formatting): an exported scheme with its look, the container past 7 MB, long string
// tables, the format's limits, and targets that cannot be written.
#include "output/exportFixture.h"
#include "output/excelServer/excelApplication.h"
#include "output/xls/compoundFile.h"
#include "output/xls/xlsFileWriter.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString Reader()
{
    return QStringLiteral(KANVO_TEST_DATA "/../output/readXls.py");
}

// The first python3 that has xlrd: Debian's, then whatever the PATH gives.
QString Python()
{
    for (const QString &candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess probe;
        probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import xlrd")});
        if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
            return candidate;
    }
    return {};
}

QJsonObject Read(const QStringList &arguments)
{
    static const QString python = Python();
    if (python.isEmpty())
        qFatal("python3 with xlrd (Debian package python3-xlrd) is needed to read workbooks back");
    QProcess process;
    process.start(python, QStringList{Reader()} + arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        qFatal("xlrd could not read the workbook: %s", process.readAllStandardError().constData());
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

QJsonArray Rgb(TpackedColor color)
{
    return QJsonArray{int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF)};
}

// Everything the reader says about one cell's look, resolved to fonts and palette colours.
struct TcellLook {
    QJsonObject Cell, Xf, Font;
    QJsonObject Book;
    QJsonValue Value() const { return Cell.value(QStringLiteral("value")); }
    QJsonArray Colour(int index) const
    {
        return Book.value(QStringLiteral("palette")).toObject().value(QString::number(index)).toArray();
    }
    QJsonArray Fill() const { return Colour(Xf.value(QStringLiteral("fill")).toInt()); }
    QJsonArray FontColour() const { return Colour(Font.value(QStringLiteral("colour")).toInt()); }
    int LineStyle(const char *side) const { return Xf.value(QLatin1String(side)).toArray().at(0).toInt(); }
    QJsonArray LineColour(const char *side) const { return Colour(Xf.value(QLatin1String(side)).toArray().at(1).toInt()); }
};

TcellLook Look(const QJsonObject &book, int sheet, int row, int col)
{
    TcellLook look;
    look.Book = book;
    look.Cell = book.value(QStringLiteral("sheets")).toArray().at(sheet).toObject().value(QStringLiteral("cells"))
                    .toObject().value(QStringLiteral("%1,%2").arg(row).arg(col)).toObject();
    look.Xf = book.value(QStringLiteral("xfs")).toObject().value(QString::number(look.Cell.value(QStringLiteral("xf")).toInt())).toObject();
    look.Font = book.value(QStringLiteral("fonts")).toArray().at(look.Xf.value(QStringLiteral("font")).toInt()).toObject();
    return look;
}

int ColourOfStitch(int r, int c)
{
    return (r / 3 + c / 4) % 3;
}

} // namespace

class TestXlsFile : public QObject {
    Q_OBJECT

private slots:
    void exportedScheme();
    void largeContainer();
    void longStringTable();
    void formatLimit();
    void unwritableTarget_data();
    void unwritableTarget();
};

// 12 x 11 stitches of 3 colours, symbols and colours: colour 1 is dark and gets white symbols.
void TestXlsFile::exportedScheme()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("scheme.xls"));
    QStringList opened;
    TworkbookOpenerScope scope([&](const QString &name) { opened << name; });
    TexportFixture fixture(12, 11, 3, ColourOfStitch, TworkbookViewMode::SymbolsAndColors);
    ExportWorkbook(file, fixture.Source);
    QCOMPARE(opened, QStringList{file});

    const QJsonObject book = Read({file});
    const QJsonArray sheets = book.value(QStringLiteral("sheets")).toArray();
    QStringList names;
    for (const QJsonValue &sheet : sheets)
        names << sheet.toObject().value(QStringLiteral("name")).toString();
    QCOMPARE(names, (QStringList{"Scheme, sheet 1", "Table of colors", "Sheet3"}));
    const QJsonObject scheme = sheets.at(0).toObject();
    QCOMPARE(scheme.value(QStringLiteral("nrows")).toInt(), 12);
    QCOMPARE(scheme.value(QStringLiteral("ncols")).toInt(), 13);
    QCOMPARE(scheme.value(QStringLiteral("portrait")).toBool(true), false);
    QCOMPARE(sheets.at(1).toObject().value(QStringLiteral("portrait")).toBool(false), true);

    // Texts, fills and symbol colours of every stitch; numbers along the edges.
    const QJsonArray black{0, 0, 0}, white{255, 255, 255}, silver{192, 192, 192};
    for (int r = 0; r < 11; ++r) {
        QCOMPARE(Look(book, 0, r + 1, 0).Value().toString(), QString::number(r + 1));
        for (int c = 0; c < 12; ++c) {
            const int k = ColourOfStitch(r, c);
            const TcellLook cell = Look(book, 0, r + 1, c + 1);
            QCOMPARE(cell.Value().toString(), QString(QChar(u'a' + k)));
            QCOMPARE(cell.Fill(), Rgb(TexportFixture::ColorOf(k)));
            QCOMPARE(cell.FontColour(), k == 1 ? white : black);
            QCOMPARE(cell.Font.value(QStringLiteral("name")).toString(), QStringLiteral("Glifa"));
            QCOMPARE(cell.Font.value(QStringLiteral("height")).toInt(), 160);
            QCOMPARE(cell.Xf.value(QStringLiteral("hAlign")).toInt(), 2);
            QCOMPARE(cell.Xf.value(QStringLiteral("vAlign")).toInt(), 1);
        }
    }
    const TcellLook header = Look(book, 0, 0, 7);
    QCOMPARE(header.Value().toString(), QStringLiteral("7"));
    QCOMPARE(header.Xf.value(QStringLiteral("rotation")).toInt(), 90);
    QCOMPARE(header.Font.value(QStringLiteral("name")).toString(), QStringLiteral("Arial Narrow"));
    QCOMPARE(header.Font.value(QStringLiteral("height")).toInt(), 140);

    // Hairline silver grid; thin black lines under the header and sheet row 11, right of the
    // number column and left of scheme column 10; the neighbour's side agrees.
    const TcellLook inner = Look(book, 0, 5, 5);
    for (const char *side : {"left", "right", "top", "bottom"}) {
        QCOMPARE(inner.LineStyle(side), 7);
        QCOMPARE(inner.LineColour(side), silver);
    }
    const QList<std::tuple<int, int, const char *>> thinLines{
        {0, 5, "bottom"}, {1, 5, "top"}, {10, 5, "bottom"}, {11, 5, "top"},
        {5, 0, "right"}, {5, 1, "left"}, {5, 10, "right"}, {5, 11, "left"}};
    for (const auto &[row, col, side] : thinLines) {
        QCOMPARE(Look(book, 0, row, col).LineStyle(side), 1);
        QCOMPARE(Look(book, 0, row, col).LineColour(side), black);
    }
    QCOMPARE(Look(book, 0, 9, 5).LineStyle("bottom"), 7);

    const QJsonObject heights = scheme.value(QStringLiteral("rowHeights")).toObject();
    const QJsonObject widths = scheme.value(QStringLiteral("colWidths")).toObject();
    QCOMPARE(heights.value(QStringLiteral("0")).toInt(), 21 * 20);
    QCOMPARE(widths.value(QStringLiteral("0")).toInt(), 950);  // 3 characters with padding
    for (int i = 1; i <= 11; ++i)
        QCOMPARE(heights.value(QString::number(i)).toInt(), 9 * 20);
    for (int i = 1; i <= 12; ++i)
        QCOMPARE(widths.value(QString::number(i)).toInt(), 438);  // 1 character, about 9 points

    // The palette is the sheets' palette: position i + 1 (index i + 8) is sheet entry i.
    const QJsonObject palette = book.value(QStringLiteral("palette")).toObject();
    for (int i = 0; i < 56; ++i)
        QCOMPARE(palette.value(QString::number(i + 8)).toArray(), Rgb(fixture.Source.SheetPalette[std::size_t(i)]));

    // The table of colours: headers, one row per kit row with its swatch, the kit name last.
    const QStringList headers{"Number", "Symbol", "Color", "Thread", "Count"};
    for (int c = 0; c < 5; ++c)
        QCOMPARE(Look(book, 1, 0, c).Value().toString(), headers.at(c));
    for (int i = 1; i <= 3; ++i) {
        const auto &row = fixture.Source.KitRows[std::size_t(i - 1)];
        QCOMPARE(Look(book, 1, i, 0).Value().toDouble(), double(i));
        const TcellLook symbol = Look(book, 1, i, 1);
        QCOMPARE(symbol.Value().toString(), row.Symbol);
        QCOMPARE(symbol.Font.value(QStringLiteral("height")).toInt(), 280);
        QCOMPARE(Look(book, 1, i, 2).Fill(), Rgb(TexportFixture::ColorOf(row.Num)));
        const TcellLook thread = Look(book, 1, i, 3);
        QCOMPARE(thread.Value().toString(), row.Thread);
        QVERIFY(thread.Font.value(QStringLiteral("bold")).toBool());
        QCOMPARE(thread.Xf.value(QStringLiteral("hAlign")).toInt(), 1);
        QCOMPARE(Look(book, 1, i, 4).Value().toDouble(), double(row.Count));
    }
    // Rows whose height was never set grow to the 14-point symbols, as in the application.
    const QJsonObject tableHeights = sheets.at(1).toObject().value(QStringLiteral("rowHeights")).toObject();
    QCOMPARE(tableHeights.value(QStringLiteral("0")).toInt(), 255);
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(tableHeights.value(QString::number(i)).toInt(), 360);
    const TcellLook kit = Look(book, 1, 4, 0);
    QCOMPARE(kit.Value().toString(), QStringLiteral("(Test kit)"));
    QCOMPARE(kit.LineStyle("bottom"), 7);

    // Print titles: row 1 and column A of the scheme sheet, row 1 of the table.
    const QJsonArray titles = book.value(QStringLiteral("names")).toArray();
    QCOMPARE(titles.size(), 2);
    QCOMPARE(titles.at(0).toObject().value(QStringLiteral("name")).toString(), QStringLiteral("Print_Titles"));
    QCOMPARE(titles.at(0).toObject().value(QStringLiteral("refs")).toArray(),
             (QJsonArray{QJsonArray{0, 1, 0, 65536, 0, 1}, QJsonArray{0, 1, 0, 1, 0, 256}}));
    QCOMPARE(titles.at(1).toObject().value(QStringLiteral("refs")).toArray(), (QJsonArray() << QJsonArray{1, 2, 0, 1, 0, 256}));
}

// Past 109 allocation-table sectors (7 MB) the container needs extra index sectors.
void TestXlsFile::largeContainer()
{
    QByteArray stream(8 * 1024 * 1024 + 123, '\0');
    for (qsizetype i = 0; i < stream.size(); ++i)
        stream[i] = char((i * 7919) >> 5);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("big.xls")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    WriteCompoundFile(file, QStringLiteral("Workbook"), stream);
    file.close();
    const QJsonObject read = Read({QStringLiteral("--stream"), file.fileName()});
    QCOMPARE(read.value(QStringLiteral("size")).toInteger(), stream.size());
    QCOMPARE(read.value(QStringLiteral("md5")).toString(),
             QString::fromLatin1(QCryptographicHash::hash(stream, QCryptographicHash::Md5).toHex()));
}

// Thousands of strings, some not Latin-1 and one longer than a record, run over CONTINUE records.
void TestXlsFile::longStringTable()
{
    TxlsWorkbook book;
    book.Sheets.push_back(std::make_unique<TxlsSheet>(QStringLiteral("Strings")));
    QStringList texts;
    for (int i = 0; i < 2000; ++i)
        texts << (i % 3 ? QStringLiteral("text number %1").arg(i) : QStringLiteral("строка %1").arg(i));
    texts << QString(9000, QChar(u'ж')) + QStringLiteral("end") << QString(20000, QLatin1Char('x'));
    for (int i = 0; i < texts.size(); ++i) {
        TxlsCell &cell = book.Sheets[0]->Cell(i, i % 3);
        cell.Kind = TxlsCellKind::Text;
        cell.Value = std::int32_t(book.Strings.Intern(texts.at(i)));
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("strings.xls"));
    WriteXlsFile(book, file);
    const QJsonObject cells = Read({file}).value(QStringLiteral("sheets")).toArray().at(0).toObject().value(QStringLiteral("cells")).toObject();
    QCOMPARE(cells.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE(cells.value(QStringLiteral("%1,%2").arg(i).arg(i % 3)).toObject().value(QStringLiteral("value")).toString(), texts.at(i));
}

void TestXlsFile::formatLimit()
{
    TxlsWorkbook book;
    book.Sheets.push_back(std::make_unique<TxlsSheet>(QStringLiteral("Formats")));
    for (int i = 0; i < XlsMaxCellFormats; ++i) {
        TxlsCellFormat format;
        format.Fill = std::uint8_t(8 + i % 56);
        format.Rotation = std::uint8_t(i / 56);
        book.Sheets[0]->Cell(i, 0).Format = book.Styles.InternFormat(format);
    }
    try {
        BuildWorkbookStream(book);
        QFAIL("too many formats were written");
    } catch (const EKanvoError &error) {
        QVERIFY2(error.Message().contains(QStringLiteral("at most 4000")), qPrintable(error.Message()));
    }
}

void TestXlsFile::unwritableTarget_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("missing folder") << "missing/scheme.xls";
    QTest::newRow("a folder") << "folder";
}

// The export fails with the file's name in the message, leaves nothing behind and opens nothing.
void TestXlsFile::unwritableTarget()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString file = dir.filePath(target);
    QStringList opened;
    TworkbookOpenerScope scope([&](const QString &name) { opened << name; });
    TexportFixture fixture(3, 3, 2, [](int r, int) { return r % 2; });
    try {
        ExportWorkbook(file, fixture.Source);
        QFAIL("the export claimed success");
    } catch (const EKanvoError &error) {
        QVERIFY2(error.Message().contains(file), qPrintable(error.Message()));
    }
    QVERIFY(opened.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"folder"});
    QVERIFY(QDir(dir.filePath(QStringLiteral("folder"))).isEmpty());
}

QTEST_GUILESS_MAIN(TestXlsFile)
#include "tst_xlsFile.moc"
