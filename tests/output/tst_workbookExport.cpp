// The export's call sequence, checked against a recording stand-in for the spreadsheet
// application: the whole sequence for a tiny scheme, then the parts that vary with size, view
// mode and failures.
#include "output/exportFixture.h"
#include "output/recordingServer.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

// Progress as the window would show it, one line per change.
class TprogressLog : public IWorkbookExportProgress {
public:
    QStringList Lines;
    void Show() override { Lines << QStringLiteral("show"); }
    void SetStepName(const QString &name) override { Lines << QStringLiteral("step ") + name; }
    void SetFullMaximum(int maximum) override { Lines << QStringLiteral("full max %1").arg(maximum); }
    void SetFullPosition(int position) override { Lines << QStringLiteral("full %1").arg(position); }
    void SetPartMaximum(int maximum) override { Lines << QStringLiteral("part max %1").arg(maximum); }
    void SetPartPosition(int position) override { Lines << QStringLiteral("part %1").arg(position); }
    void Repaint() override {}
};

QStringList GridLines(const QString &range)
{
    QStringList lines;
    for (int edge = 7; edge <= 12; ++edge)
        lines << QStringLiteral("%1.Borders(%2).LineStyle := 1").arg(range).arg(edge)
              << QStringLiteral("%1.Borders(%2).Weight := 1").arg(range).arg(edge)
              << QStringLiteral("%1.Borders(%2).Color := 12632256").arg(range).arg(edge);
    return lines;
}

// Address lists sent to Range() on a sheet, with the colour index they were filled with.
QList<QPair<QString, int>> Fills(const QStringList &lines, const QString &sheet)
{
    static const QRegularExpression fill(QStringLiteral("^(\\w+)\\.Range\\(\"([^\"]*)\"\\)\\.Interior\\.ColorIndex := (\\d+)$"));
    QList<QPair<QString, int>> fills;
    for (const QString &line : lines) {
        const auto match = fill.match(line);
        if (match.hasMatch() && match.captured(1) == sheet)
            fills << qMakePair(match.captured(2), match.captured(3).toInt());
    }
    return fills;
}

} // namespace

class TestWorkbookExport : public QObject {
    Q_OBJECT

private slots:
    void columnLetters_data();
    void columnLetters();
    void tinySchemeCallSequence();
    void sheetChoice_data();
    void sheetChoice();
    void viewModes_data();
    void viewModes();
    void addressBatches();
    void colourAbsentFromPage();
    void tenLines_data();
    void tenLines();
    void toleratedFailures();
    void paletteFailureDropsSwatches();
    void failureEndsExport();
    void connectionFailure_data();
    void connectionFailure();
    void progress();
    void coloursPastPalette();
    void refusedSources_data();
    void refusedSources();
};

void TestWorkbookExport::columnLetters_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("letters");
    QTest::newRow("first") << 1 << "A";
    QTest::newRow("last single") << 26 << "Z";
    QTest::newRow("first double") << 27 << "AA";
    QTest::newRow("AZ") << 52 << "AZ";
    QTest::newRow("BA") << 53 << "BA";
    QTest::newRow("last sheet column") << 256 << "IV";
    QTest::newRow("last double") << 702 << "ZZ";
    QTest::newRow("zero") << 0 << "";
    QTest::newRow("three letters") << 703 << "";
}

void TestWorkbookExport::columnLetters()
{
    QFETCH(int, index);
    QFETCH(QString, letters);
    if (letters.isEmpty())
        QVERIFY_THROWS_EXCEPTION(EKanvoError, ColumnLetters(index));
    else
        QCOMPARE(ColumnLetters(index), letters);
}

// 2 x 2 stitches, colour 0 top left, colour 1 elsewhere, half-tone view.
void TestWorkbookExport::tinySchemeCallSequence()
{
    TrecordingServer server;
    TexportFixture fixture(2, 2, 2, [](int r, int c) { return r == 0 && c == 0 ? 0 : 1; });
    ExportWorkbook(QStringLiteral("/tmp/out.xls"), fixture.Source);

    QStringList expected{QStringLiteral("App.WorkBooks.Add() -> Book")};
    for (int i = 1; i <= 56; ++i)
        expected << QStringLiteral("Book.Colors(%1) := %2").arg(i).arg(fixture.Source.SheetPalette[std::size_t(i - 1)]);
    const QString all = QStringLiteral("Sheet1.Range(Cells(1,1),Cells(3,3))");
    const QString header = QStringLiteral("Sheet1.Range(Cells(1,1),Cells(1,3))");
    const QString numbers = QStringLiteral("Sheet1.Range(Cells(1,1),Cells(3,1))");
    const QString table = QStringLiteral("Sheet2.Range(Cells(1,1),Cells(4,5))");
    expected << "Book.WorkSheets.Count -> 3"
             << "Sheet1.Name := \"Scheme, sheet 1\""
             << "Sheet1.Rows(1).Address -> \"$1:$1\""
             << "Sheet1.PageSetup.PrintTitleRows := \"$1:$1\""
             << "Sheet1.Columns(1).Address -> \"$A:$A\""
             << "Sheet1.PageSetup.PrintTitleColumns := \"$A:$A\""
             << "Sheet1.PageSetup.Orientation := 2"
             << "Sheet1.Rows(3).RowHeight := 9"
             << "Sheet1.Rows(2).RowHeight := 9"
             << "Sheet1.Rows(1).RowHeight := 21"
             << "Sheet1.Columns(3).ColumnWidth := 1"
             << "Sheet1.Columns(2).ColumnWidth := 1"
             << "Sheet1.Columns(1).ColumnWidth := 3"
             << all + ".Value := [3 x 3 block]"
             << all + ".Font.Name := \"Glifa\""
             << all + ".Font.Size := 8"
             << all + ".HorizontalAlignment := -4108"
             << all + ".VerticalAlignment := -4108"
             << GridLines(all)
             << header + ".Orientation := 90"
             << header + ".Font.Name := \"Arial Narrow\""
             << header + ".Font.Size := 7"
             << numbers + ".Font.Name := \"Arial Narrow\""
             << numbers + ".Font.Size := 7"
             << header + ".Borders(9).Color := 0"
             << header + ".Borders(9).Weight := 2"
             << numbers + ".Borders(10).Color := 0"
             << numbers + ".Borders(10).Weight := 2"
             // colour 1 first, its cells bottom row first and right to left
             << "Sheet1.Range(\"C3;B3;C2\").Interior.ColorIndex := 7"
             << "Sheet1.Range(\"C3;B3;C2\").Font.ColorIndex := 3"
             << "Sheet1.Range(\"B2\").Interior.ColorIndex := 6"
             << "Sheet1.Range(\"B2\").Font.ColorIndex := 3"
             << "Sheet2.Name := \"Table of colors\""
             << "Sheet2.Rows(1).Address -> \"$1:$1\""
             << "Sheet2.PageSetup.PrintTitleRows := \"$1:$1\""
             << "Sheet2.PageSetup.Orientation := 1"
             << table + ".VerticalAlignment := -4108"
             << GridLines(table)
             << table + ".Value := [4 x 5 block]"
             << "Sheet2.Range(Cells(2,2),Cells(3,2)).Font.Name := \"Glifa\""
             << "Sheet2.Range(Cells(2,2),Cells(3,2)).Font.Size := 14"
             << "Sheet2.Range(Cells(2,2),Cells(3,2)).HorizontalAlignment := -4108"
             << "Sheet2.Range(Cells(2,4),Cells(3,4)).Font.Bold := True"
             << "Sheet2.Range(Cells(2,4),Cells(3,4)).HorizontalAlignment := -4131"
             << "Book.SaveAs(Filename:=\"/tmp/out.xls\",FileFormat:=-4143,Password:=\"\","
                "WriteResPassword:=\"\",ReadOnlyRecommended:=False,CreateBackup:=False)"
             << "App.Visible := True";
    const QStringList &lines = server.Log->Lines;
    for (int i = 0; i < std::min(lines.size(), expected.size()); ++i)
        QCOMPARE(lines.at(i), expected.at(i));
    QCOMPARE(lines.size(), expected.size());

    // The blocks: numbers along the top and down the left, symbols inside; then the table.
    QCOMPARE(server.Log->Blocks.size(), std::size_t(2));
    const TautoBlock &scheme = server.Log->Blocks[0];
    const QStringList schemeCells{"", "1", "2", "1", "a", "b", "2", "b", "b"};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(scheme.At(i / 3, i % 3).ToString(), schemeCells.at(i));
    const TautoBlock &colours = server.Log->Blocks[1];
    const QStringList tableCells{"Number", "Symbol", "Color", "Thread", "Count",
                                 "1", "a", "", "T0", "1",
                                 "2", "b", "", "T1", "3",
                                 "(Test kit)", "", "", "", ""};
    for (int i = 0; i < 20; ++i)
        QCOMPARE(colours.At(i / 5, i % 5).ToString(), tableCells.at(i));
    QCOMPARE(colours.At(1, 0).Kind(), TautoValue::TKind::Integer);
    QCOMPARE(colours.At(2, 4).Kind(), TautoValue::TKind::Integer);
}

void TestWorkbookExport::sheetChoice_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("adds");       // the sheets added, in order
    QTest::addColumn<QStringList>("order");      // the workbook's sheets at the end
    QTest::addColumn<QList<int>>("columns");     // scheme columns of each scheme sheet
    QTest::newRow("W = 255") << 255 << QStringList() << QStringList{"Sheet1", "Sheet2", "Sheet3"}
                             << QList<int>{255};
    QTest::newRow("W = 256") << 256 << QStringList() << QStringList{"Sheet1", "Sheet2", "Sheet3"}
                             << QList<int>{255, 1};
    QTest::newRow("P = 3") << 700 << QStringList{"Sheet4"}
                           << QStringList{"Sheet1", "Sheet2", "Sheet3", "Sheet4"}
                           << QList<int>{255, 255, 190};
    QTest::newRow("W = 1000") << 1000 << QStringList{"Sheet4", "Sheet5"}
                              << QStringList{"Sheet1", "Sheet2", "Sheet3", "Sheet4", "Sheet5"}
                              << QList<int>{255, 255, 255, 235};
}

void TestWorkbookExport::sheetChoice()
{
    QFETCH(int, width);
    QFETCH(QStringList, adds);
    QFETCH(QStringList, order);
    QFETCH(QList<int>, columns);
    TrecordingServer server;
    TexportFixture fixture(width, 1, 1, [](int, int) { return 0; });
    ExportWorkbook(QStringLiteral("x.xls"), fixture.Source);

    const QStringList addLines = server.Log->With(QStringLiteral("WorkSheets.Add("));
    QCOMPARE(addLines.size(), adds.size());
    for (int i = 0; i < adds.size(); ++i)  // each added after the last sheet of that moment
        QCOMPARE(addLines.at(i), QStringLiteral("Book.WorkSheets.Add(After:=%1) -> %2").arg(order.at(order.indexOf(adds.at(i)) - 1), adds.at(i)));
    QCOMPARE(server.Log->Sheets, order);

    const int pages = int(columns.size());
    for (int p = 1; p <= pages; ++p) {
        const QString sheet = order.at(p - 1);
        QCOMPARE(server.Log->With(sheet + QStringLiteral(".Name := ")),
                 QStringList{QStringLiteral("%1.Name := \"Scheme, sheet %2\"").arg(sheet).arg(p)});
        const int n = columns.at(p - 1);
        QCOMPARE(server.Log->With(sheet + QStringLiteral(".Columns(")).filter(QStringLiteral("ColumnWidth := 1")).size(), n);
        QCOMPARE(server.Log->With(QStringLiteral("%1.Columns(%2).ColumnWidth := 1").arg(sheet).arg(n + 1)).size(), 1);
        // The header numbers count over the whole scheme.
        const TautoBlock &block = server.Log->Blocks[std::size_t(p - 1)];
        QCOMPARE(block.Columns(), n + 1);
        QCOMPARE(block.At(0, 1).ToString(), QString::number((p - 1) * 255 + 1));
        QCOMPARE(block.At(0, n).ToString(), QString::number((p - 1) * 255 + n));
    }
    const QString tableSheet = order.at(pages);
    QCOMPARE(server.Log->With(QStringLiteral(".Name := \"Table of colors\"")),
             QStringList{tableSheet + QStringLiteral(".Name := \"Table of colors\"")});
    // Sheets past the table stay as the application made them.
    for (int i = pages + 1; i < order.size(); ++i)
        QVERIFY(server.Log->With(order.at(i) + QLatin1Char('.')).isEmpty());
}

void TestWorkbookExport::viewModes_data()
{
    QTest::addColumn<TworkbookViewMode>("mode");
    QTest::addColumn<bool>("symbols");
    QTest::addColumn<int>("darkSymbolColour");
    QTest::addColumn<bool>("swatches");
    QTest::newRow("Symbols only") << TworkbookViewMode::SymbolsOnly << true << 3 << false;
    QTest::newRow("Half-tone colors") << TworkbookViewMode::HalfTone << true << 3 << false;
    QTest::newRow("Symbols and colors") << TworkbookViewMode::SymbolsAndColors << true << 4 << true;
    QTest::newRow("Colors only") << TworkbookViewMode::ColorsOnly << false << 3 << true;
}

void TestWorkbookExport::viewModes()
{
    QFETCH(TworkbookViewMode, mode);
    QFETCH(bool, symbols);
    QFETCH(int, darkSymbolColour);
    QFETCH(bool, swatches);
    TrecordingServer server;
    // Colour 2 has no stitches: it has no kit row, so the table's rows are colours 0 and 1.
    TexportFixture fixture(3, 1, 3, [](int, int c) { return c == 1 ? 1 : 0; }, mode);
    ExportWorkbook(QStringLiteral("x.xls"), fixture.Source);

    const TautoBlock &block = server.Log->Blocks[0];
    QCOMPARE(block.At(1, 1).ToString(), symbols ? QStringLiteral("a") : QString());
    QCOMPARE(block.At(1, 2).ToString(), symbols ? QStringLiteral("b") : QString());
    QCOMPARE(block.At(0, 2).ToString(), QStringLiteral("2"));  // numbers in every mode
    // Fills in every mode; the dark colour's symbols in white only where colours are shown.
    QCOMPARE(server.Log->With(QStringLiteral("Sheet1.Range(\"C2\").Interior.ColorIndex := 7")).size(), 1);
    QCOMPARE(server.Log->With(QStringLiteral("Sheet1.Range(\"C2\").Font.ColorIndex := %1").arg(darkSymbolColour)).size(), 1);
    QCOMPARE(server.Log->With(QStringLiteral("Sheet1.Range(\"D2;B2\").Font.ColorIndex := 3")).size(), 1);
    const QStringList swatchLines = server.Log->With(QStringLiteral("Cells(")).filter(QStringLiteral("Interior"));
    const QStringList expectedSwatches{"Cells(2,3).Interior.ColorIndex := 6", "Cells(3,3).Interior.ColorIndex := 7"};
    QCOMPARE(swatchLines, swatches ? expectedSwatches : QStringList());
}

// One colour over 255 x 30 stitches: its 7650 addresses go in lists of at most 254 characters,
// each as full as the next address allows, together naming every cell once.
void TestWorkbookExport::addressBatches()
{
    TrecordingServer server;
    TexportFixture fixture(255, 30, 1, [](int, int) { return 0; });
    ExportWorkbook(QStringLiteral("x.xls"), fixture.Source);

    const auto fills = Fills(server.Log->Lines, QStringLiteral("Sheet1"));
    QVERIFY(fills.size() > 100);
    QStringList sent;
    for (int i = 0; i < fills.size(); ++i) {
        const QString &list = fills.at(i).first;
        QVERIFY2(list.size() <= 254, qPrintable(list));
        QCOMPARE(fills.at(i).second, 6);
        if (i + 1 < fills.size()) {
            const QString next = fills.at(i + 1).first.section(QLatin1Char(';'), 0, 0);
            QVERIFY(list.size() + 1 + next.size() > 254);
        }
        sent << list.split(QLatin1Char(';'));
    }
    QCOMPARE(sent.size(), 255 * 30);
    QCOMPARE(QSet<QString>(sent.begin(), sent.end()).size(), 255 * 30);
    QCOMPARE(sent.first(), QStringLiteral("IV31"));  // bottom row first, right to left
    QCOMPARE(sent.at(1), QStringLiteral("IU31"));
    QCOMPARE(sent.last(), QStringLiteral("B2"));
}

// Colour 1 has stitches only in the last scheme column, which is on page 2.
void TestWorkbookExport::colourAbsentFromPage()
{
    TrecordingServer server;
    TexportFixture fixture(256, 2, 2, [](int, int c) { return c == 255 ? 1 : 0; });
    ExportWorkbook(QStringLiteral("x.xls"), fixture.Source);

    const auto page1 = Fills(server.Log->Lines, QStringLiteral("Sheet1"));
    const auto page2 = Fills(server.Log->Lines, QStringLiteral("Sheet2"));
    for (const auto &fill : page1)
        QCOMPARE(fill.second, 6);
    QCOMPARE(page2.size(), 1);
    QCOMPARE(page2.first(), qMakePair(QStringLiteral("B3;B2"), 7));
}

void TestWorkbookExport::tenLines_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("H = 10") << 5 << 10 << QStringList{"Sheet1.Range(Cells(1,1),Cells(1,6)).Borders(9)",
                                                      "Sheet1.Range(Cells(1,1),Cells(11,1)).Borders(10)"};
    QTest::newRow("H = 11") << 5 << 11 << QStringList{"Sheet1.Range(Cells(1,1),Cells(1,6)).Borders(9)",
                                                      "Sheet1.Range(Cells(11,1),Cells(11,6)).Borders(9)",
                                                      "Sheet1.Range(Cells(1,1),Cells(12,1)).Borders(10)"};
    QTest::newRow("W = 21") << 21 << 1 << QStringList{"Sheet1.Range(Cells(1,1),Cells(1,22)).Borders(9)",
                                                      "Sheet1.Range(Cells(1,1),Cells(2,1)).Borders(10)",
                                                      "Sheet1.Range(Cells(1,11),Cells(2,11)).Borders(10)",
                                                      "Sheet1.Range(Cells(1,21),Cells(2,21)).Borders(10)"};
    // Page 2 starts at scheme column 255: a line right of the numbers (x = 250), then right of
    // sheet column 6 (before scheme column 260) and 16.
    QTest::newRow("page 2") << 275 << 1 << QStringList{"Sheet2.Range(Cells(1,1),Cells(1,21)).Borders(9)",
                                                       "Sheet2.Range(Cells(1,1),Cells(2,1)).Borders(10)",
                                                       "Sheet2.Range(Cells(1,6),Cells(2,6)).Borders(10)",
                                                       "Sheet2.Range(Cells(1,16),Cells(2,16)).Borders(10)"};
}

void TestWorkbookExport::tenLines()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QStringList, lines);
    TrecordingServer server;
    TexportFixture fixture(width, height, 1, [](int, int) { return 0; });
    ExportWorkbook(QStringLiteral("x.xls"), fixture.Source);

    const QString sheet = lines.first().section(QLatin1Char('.'), 0, 0);
    QStringList found;
    for (const QString &line : server.Log->With(QStringLiteral(".Color := 0")))
        if (line.startsWith(sheet + QLatin1Char('.')))
            found << line.chopped(QStringLiteral(".Color := 0").size());
    QCOMPARE(found, lines);
    for (const QString &line : lines)  // each black line is made thin after its colour is set
        QCOMPARE(server.Log->Lines.indexOf(line + QStringLiteral(".Weight := 2")),
                 server.Log->Lines.indexOf(line + QStringLiteral(".Color := 0")) + 1);
}

// Print titles, page orientation and the header's text direction may fail without harm.
void TestWorkbookExport::toleratedFailures()
{
    TrecordingServer server;
    server.Log->FailOn << QStringLiteral("PrintTitleRows") << QStringLiteral("PageSetup.Orientation")
                       << QStringLiteral("Orientation := 90");
    TexportFixture fixture(3, 2, 2, [](int, int c) { return c % 2; }, TworkbookViewMode::ColorsOnly);
    ExportWorkbook(QStringLiteral("x.xls"), fixture.Source);

    // One guard covers both print titles: the columns are not tried after the rows failed.
    QVERIFY(server.Log->With(QStringLiteral("PrintTitleColumns")).isEmpty());
    QCOMPARE(server.Log->With(QStringLiteral("! ")).size(), 5);
    QCOMPARE(server.Log->With(QStringLiteral("Book.SaveAs(")).size(), 1);
    QCOMPARE(server.Log->Lines.last(), QStringLiteral("App.Visible := True"));
    QCOMPARE(server.Log->With(QStringLiteral("Cells(2,3).Interior")).size(), 1);
}

// A palette that cannot be set stops at the first failure, and the table has no swatches.
void TestWorkbookExport::paletteFailureDropsSwatches()
{
    TrecordingServer server;
    server.Log->FailOn << QStringLiteral("Book.Colors(10)");
    TexportFixture fixture(3, 2, 2, [](int, int c) { return c % 2; }, TworkbookViewMode::SymbolsAndColors);
    ExportWorkbook(QStringLiteral("x.xls"), fixture.Source);

    QCOMPARE(server.Log->With(QStringLiteral("Book.Colors(")).size(), 10);  // 1..9, then the failure
    QVERIFY(server.Log->With(QStringLiteral("Book.Colors(11)")).isEmpty());
    QVERIFY(server.Log->With(QStringLiteral("Cells(2,3).Interior")).isEmpty());
    QCOMPARE(server.Log->With(QStringLiteral("Book.SaveAs(")).size(), 1);
}

// Any other failure ends the export with the application's text; nothing is saved or shown.
void TestWorkbookExport::failureEndsExport()
{
    TrecordingServer server;
    server.Log->FailOn << QStringLiteral("Font.Size := 14");
    TexportFixture fixture(3, 2, 2, [](int, int c) { return c % 2; });
    try {
        ExportWorkbook(QStringLiteral("x.xls"), fixture.Source);
        QFAIL("the export went on after a failure");
    } catch (const EWorkbookConnectionError &) {
        QFAIL("a failure after connecting is no connection failure");
    } catch (const EKanvoError &error) {
        QVERIFY2(error.Message().contains(QStringLiteral("Font.Size := 14")), qPrintable(error.Message()));
    }
    QVERIFY(server.Log->With(QStringLiteral("SaveAs")).isEmpty());
    QVERIFY(server.Log->With(QStringLiteral("Visible")).isEmpty());
}

void TestWorkbookExport::connectionFailure_data()
{
    QTest::addColumn<bool>("serverMissing");
    QTest::newRow("no application") << true;
    QTest::newRow("no workbook") << false;
}

void TestWorkbookExport::connectionFailure()
{
    QFETCH(bool, serverMissing);
    TrecordingServer server;
    server.Log->FailOn << QStringLiteral("WorkBooks.Add");
    std::optional<TautoServerRegistration> missing;
    if (serverMissing)
        missing.emplace(QStringLiteral("Excel.Application"), TautoServerFactory());
    TexportFixture fixture(2, 2, 1, [](int, int) { return 0; });
    TprogressLog progress;
    try {
        ExportWorkbook(QStringLiteral("x.xls"), fixture.Source, &progress);
        QFAIL("no failure");
    } catch (const EWorkbookConnectionError &error) {
        const QString expected = serverMissing ? QStringLiteral("Excel.Application") : QStringLiteral("WorkBooks.Add");
        QVERIFY2(error.Message().contains(expected), qPrintable(error.Message()));
    }
    QVERIFY(progress.Lines.isEmpty());  // the window is never shown
    QVERIFY(server.Log->With(QStringLiteral("Colors")).isEmpty());
}

void TestWorkbookExport::progress()
{
    TrecordingServer server;
    TexportFixture fixture(256, 1, 2, [](int, int c) { return c % 2; });
    TprogressLog progress;
    ExportWorkbook(QStringLiteral("x.xls"), fixture.Source, &progress);

    const QStringList page1{"step Cross-stitch scheme preparing, page 1...", "part 0", "part max 3",
                            "part 1", "part 2", "part 3", "full 1",
                            "step Cross-stitch scheme decorating, page 1...", "part 0", "part max 2",
                            "part 1", "part 2", "full 2"};
    QStringList expected{"show", "full max 5"};
    expected << page1;
    for (const QString &line : page1)
        expected << QString(line).replace(QStringLiteral("page 1"), QStringLiteral("page 2"))
                                 .replace(QStringLiteral("full 1"), QStringLiteral("full 3"))
                                 .replace(QStringLiteral("full 2"), QStringLiteral("full 4"));
    expected << "full 4" << "step Colors table preparing..." << "part 0" << "part max 3" << "part 1"
             << "part 2" << "part 3" << "full 5";
    QCOMPARE(progress.Lines, expected);
}

// Colours past the palette's room are white with black symbols, in the scheme and the table.
void TestWorkbookExport::coloursPastPalette()
{
    TrecordingServer server;
    TexportFixture fixture(3, 1, 53, [](int, int c) { return 50 + c; }, TworkbookViewMode::SymbolsAndColors);
    fixture.Source.Colors[51].Dark = true;
    ExportWorkbook(QStringLiteral("x.xls"), fixture.Source);

    const auto fills = Fills(server.Log->Lines, QStringLiteral("Sheet1"));
    QCOMPARE(fills, (QList<QPair<QString, int>>{{"D2", 2}, {"C2", 2}, {"B2", 56}}));
    QCOMPARE(server.Log->With(QStringLiteral("Sheet1.Range(\"C2\").Font.ColorIndex := 3")).size(), 1);
    QCOMPARE(server.Log->With(QStringLiteral("Cells(")).filter(QStringLiteral("Interior")),
             (QStringList{"Cells(2,3).Interior.ColorIndex := 56", "Cells(3,3).Interior.ColorIndex := 2",
                          "Cells(4,3).Interior.ColorIndex := 2"}));
}

void TestWorkbookExport::refusedSources_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("index");
    QTest::newRow("index past the colours") << 4 << 3;
    QTest::newRow("negative index") << 4 << -1;
    QTest::newRow("pixels missing") << 3 << 0;
}

// A raster that does not match its size or its colours is refused before the application starts.
void TestWorkbookExport::refusedSources()
{
    QFETCH(int, pixels);
    QFETCH(int, index);
    TrecordingServer server;
    TexportFixture fixture(4, 1, 3, [index](int, int c) { return c == 3 ? index : 0; });
    fixture.Source.Pixels = fixture.Source.Pixels.first(std::size_t(pixels));
    try {
        ExportWorkbook(QStringLiteral("x.xls"), fixture.Source);
        QFAIL("accepted");
    } catch (const EKanvoError &error) {
        QVERIFY2(error.Message().contains(QStringLiteral("damaged")), qPrintable(error.Message()));
    }
    QVERIFY(server.Log->Lines.isEmpty());
}

QTEST_GUILESS_MAIN(TestWorkbookExport)
#include "tst_workbookExport.moc"
