// The filling of the scheme sheets: view-mode palette, scheme page cells, colours table.
#include "common/KanvoError.h"
#include "common/symbolChars.h"
#include "document/colorsKitList.h"
#include "document/schemeDocument.h"
#include "view/schemeSheets.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <functional>

Q_DECLARE_METATYPE(TviewMode)

namespace {

struct TcolorSpec {
    int Red, Green, Blue;
    const char *Thread;
    char Symbol;
};

// A loaded scheme of the given colours whose stitch (r, c) has colour pixel(r, c); counts are
// the true ones unless a colour is listed in zeroCount (as a file may store it).
struct Tfixture {
    TsheetBook Book;
    TschemeDocument Document;
    TcolorsKitList KitList;
    TschemeSheets Sheets{Book, Document, KitList};

    void Load(const std::vector<TcolorSpec> &colors, int height, int width,
              const std::function<int(int, int)> &pixel)
    {
        auto list = std::make_unique<TrgbArray>(int(colors.size()));
        for (int i = 0; i < int(colors.size()); ++i) {
            const TcolorSpec &wanted = colors[std::size_t(i)];
            list->SetItem(i, TcountColor(wanted.Red, wanted.Green, wanted.Blue, 0, wanted.Thread, wanted.Symbol));
        }
        auto scheme = std::make_unique<TindexBitmap>(height, width, std::move(list));
        for (int r = 0; r < height; ++r)
            for (int c = 0; c < width; ++c) {
                const int k = pixel(r, c);
                scheme->SetPixel(r, c, k);
                if (k >= 0 && k < scheme->ColorCount())
                    scheme->GetColor(k).IncCount();
            }
        Document.ReplaceBitmap(std::move(scheme));
        Document.SymbolFontName = QStringLiteral("Glifa");
        Document.KitName = QStringLiteral("DMC");
        Document.SchemeLoaded = true;
        KitList.Rebuild(*Document.SchemeBitmap);
        Sheets.RefreshSheets(true);
    }

    const TsheetPage &Scheme() const { return Book.Page(TschemeSheets::SchemePage); }
    const TsheetPage &Table() const { return Book.Page(TschemeSheets::ColorsTablePage); }
    // The colour a cell's symbol is painted in, as the palette has it now.
    TpackedColor SymbolColor(int c, int r) const
    {
        return Book.PaletteEntry(Scheme().CellStyle(c, r).FontColor);
    }
};

const std::vector<TcolorSpec> kThree = {
    {0, 0, 0, "310", 'A'},        // black
    {255, 255, 255, "B5200", 'B'}, // white
    {200, 100, 50, "921", 'C'},
};

int Stripes(int, int c) { return c % 3; }

}  // namespace

class TestSchemeSheets : public QObject {
    Q_OBJECT

private slots:
    void paletteOfEachViewMode_data();
    void paletteOfEachViewMode();
    void viewChangesRewriteTextsOnlyWhenSymbolsComeOrGo_data();
    void viewChangesRewriteTextsOnlyWhenSymbolsComeOrGo();
    void bordersMarkBlocksOfTenAndFrameTheScheme_data();
    void bordersMarkBlocksOfTenAndFrameTheScheme();
    void symbolColourFollowsDarkness_data();
    void symbolColourFollowsDarkness();
    void hiddenColourLosesSymbolsAndKeepsFill();
    void colorsTableRowsTextsAndWidths();
    void countsOnlyUpdateOfColorsTable();
    void refreshWithoutSchemeChangesNothing();
    void bracketClosedWhenStepFails();
    void coloursBeyondThePaletteDrawnInOneFixedWay();
    void symbolAlphabetShowsAsDistinctCharacters();
};

void TestSchemeSheets::paletteOfEachViewMode_data()
{
    QTest::addColumn<TviewMode>("mode");
    QTest::addColumn<uint>("black");   // entry 5
    QTest::addColumn<uint>("white");   // entry 6
    QTest::addColumn<uint>("brown");   // entry 7, colour (200, 100, 50) packed 0x3264C8
    QTest::addColumn<uint>("entry3");
    QTest::newRow("Symbols only") << TviewMode::SymbolsOnly << 0xFFFFFFu << 0xFFFFFFu << 0xFFFFFFu << 0u;
    QTest::newRow("Half-tone colors") << TviewMode::HalfTone << 0x808080u << 0xFFFFFFu << 0x99B2E4u << 0u;
    QTest::newRow("Symbols and colors") << TviewMode::SymbolsAndColors << 0u << 0xFFFFFFu << 0x3264C8u
                                        << 0xFFFFFFu;
    QTest::newRow("Colors only") << TviewMode::ColorsOnly << 0u << 0xFFFFFFu << 0x3264C8u << 0xFFFFFFu;
}

void TestSchemeSheets::paletteOfEachViewMode()
{
    QFETCH(TviewMode, mode);
    QFETCH(uint, black);
    QFETCH(uint, white);
    QFETCH(uint, brown);
    QFETCH(uint, entry3);
    Tfixture f;
    f.Load(kThree, 4, 6, Stripes);
    // Entries 2 and 3 are rewritten at every refresh, whatever they held.
    f.Book.SetPaletteEntry(2, 0x112233);
    f.Book.SetPaletteEntry(3, 0x445566);
    f.Sheets.ViewMode = mode;
    f.Sheets.RefreshSheets(false);
    QCOMPARE(f.Book.PaletteEntry(5), black);
    QCOMPARE(f.Book.PaletteEntry(6), white);
    QCOMPARE(f.Book.PaletteEntry(7), brown);
    QCOMPARE(f.Book.PaletteEntry(2), 0u);
    QCOMPARE(f.Book.PaletteEntry(3), entry3);
    // Entries 0, 1 and 4 and those past the scheme's colours keep the workbook defaults.
    QCOMPARE(f.Book.PaletteEntry(0), 0u);
    QCOMPARE(f.Book.PaletteEntry(1), 0xFFFFFFu);
    QCOMPARE(f.Book.PaletteEntry(4), 0xFF0000u);
    QCOMPARE(f.Book.PaletteEntry(8), 0x000080u);
}

void TestSchemeSheets::viewChangesRewriteTextsOnlyWhenSymbolsComeOrGo_data()
{
    QTest::addColumn<TviewMode>("from");
    QTest::addColumn<TviewMode>("to");
    QTest::addColumn<bool>("cellsTouched");
    QTest::newRow("half-tone to symbols only") << TviewMode::HalfTone << TviewMode::SymbolsOnly << false;
    QTest::newRow("symbols only to symbols and colors")
        << TviewMode::SymbolsOnly << TviewMode::SymbolsAndColors << false;
    QTest::newRow("symbols and colors to half-tone")
        << TviewMode::SymbolsAndColors << TviewMode::HalfTone << false;
    QTest::newRow("half-tone to colors only") << TviewMode::HalfTone << TviewMode::ColorsOnly << true;
    QTest::newRow("colors only to symbols only") << TviewMode::ColorsOnly << TviewMode::SymbolsOnly << true;
}

void TestSchemeSheets::viewChangesRewriteTextsOnlyWhenSymbolsComeOrGo()
{
    QFETCH(TviewMode, from);
    QFETCH(TviewMode, to);
    QFETCH(bool, cellsTouched);
    Tfixture f;
    f.Load(kThree, 3, 5, Stripes);
    f.Sheets.ViewMode = from;
    f.Sheets.RefreshSheets(false);
    const TstyleId styleBefore = f.Scheme().CellStyleId(2, 1);

    QSignalSpy spy(&f.Book, &TsheetBook::Changed);
    f.Sheets.ViewMode = to;
    f.Sheets.RefreshSheets(false);
    QCOMPARE(spy.count(), 1);  // one bracket, one notification
    QCOMPARE(spy.at(0).at(0).value<TsheetChanges>().CellsTouched(), cellsTouched);

    const bool symbols = to != TviewMode::ColorsOnly;
    QCOMPARE(f.Document.SymbolsShown, symbols);
    QCOMPARE(f.Scheme().CellText(2, 1), symbols ? QStringLiteral("C") : QString());
    QCOMPARE(f.Scheme().CellText(0, 2), symbols ? QStringLiteral("A") : QString());
    QCOMPARE(f.Scheme().CellStyleId(2, 1), styleBefore);  // borders, fonts and fills stay
}

void TestSchemeSheets::bordersMarkBlocksOfTenAndFrameTheScheme_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QList<int>>("mediumLeft");
    QTest::addColumn<QList<int>>("mediumRight");
    QTest::addColumn<QList<int>>("mediumTop");
    QTest::addColumn<QList<int>>("mediumBottom");
    QTest::newRow("21 x 12") << 21 << 12 << QList<int>{0, 10, 20} << QList<int>{9, 19, 20}
                             << QList<int>{0, 10} << QList<int>{9, 11};
    QTest::newRow("1 x 1") << 1 << 1 << QList<int>{0} << QList<int>{0} << QList<int>{0} << QList<int>{0};
}

void TestSchemeSheets::bordersMarkBlocksOfTenAndFrameTheScheme()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QList<int>, mediumLeft);
    QFETCH(QList<int>, mediumRight);
    QFETCH(QList<int>, mediumTop);
    QFETCH(QList<int>, mediumBottom);
    Tfixture f;
    f.Load(kThree, height, width, Stripes);
    const auto weight = [](bool medium) { return medium ? TedgeStyle::Medium : TedgeStyle::Thin; };
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            const TsheetStyle &style = f.Scheme().CellStyle(c, r);
            QCOMPARE(style.Edge(TcellEdge::Left), weight(mediumLeft.contains(c)));
            QCOMPARE(style.Edge(TcellEdge::Right), weight(mediumRight.contains(c)));
            QCOMPARE(style.Edge(TcellEdge::Top), weight(mediumTop.contains(r)));
            QCOMPARE(style.Edge(TcellEdge::Bottom), weight(mediumBottom.contains(r)));
            QCOMPARE(style.FontName, QStringLiteral("Glifa"));
            QCOMPARE(style.FontSize, std::uint8_t(8));
            QCOMPARE(style.HorzAlign, ThorzAlign::Center);
            QCOMPARE(style.VertAlign, TvertAlign::Center);
        }
    QVERIFY(f.Scheme().FindCell(width, 0) == nullptr);
    QVERIFY(f.Scheme().FindCell(0, height) == nullptr);
    QCOMPARE(f.Scheme().RowHeight(height - 1), 14);
    QCOMPARE(f.Scheme().ColWidth(width - 1), 14);
}

void TestSchemeSheets::symbolColourFollowsDarkness_data()
{
    QTest::addColumn<TviewMode>("mode");
    QTest::addColumn<uint>("onMean127");
    QTest::addColumn<uint>("onMean128");
    QTest::newRow("Symbols and colors") << TviewMode::SymbolsAndColors << 0xFFFFFFu << 0u;
    QTest::newRow("Symbols only") << TviewMode::SymbolsOnly << 0u << 0u;
    QTest::newRow("Half-tone colors") << TviewMode::HalfTone << 0u << 0u;
}

void TestSchemeSheets::symbolColourFollowsDarkness()
{
    QFETCH(TviewMode, mode);
    QFETCH(uint, onMean127);
    QFETCH(uint, onMean128);
    Tfixture f;
    f.Sheets.ViewMode = mode;
    f.Load({{0, 127, 254, "a", 'a'}, {128, 128, 128, "b", 'b'}}, 1, 2, [](int, int c) { return c; });
    QCOMPARE(f.Scheme().CellStyle(0, 0).FontColor, std::uint8_t(3));
    QCOMPARE(f.Scheme().CellStyle(1, 0).FontColor, std::uint8_t(2));
    QCOMPARE(f.SymbolColor(0, 0), onMean127);
    QCOMPARE(f.SymbolColor(1, 0), onMean128);
}

void TestSchemeSheets::hiddenColourLosesSymbolsAndKeepsFill()
{
    Tfixture f;
    f.Sheets.ViewMode = TviewMode::SymbolsAndColors;
    f.Load(kThree, 2, 6, Stripes);
    const int row = f.KitList.FindNum(2);
    f.KitList.SetVisible(row, false);
    f.Document.SymbolsStale = true;
    f.Sheets.RefreshSheets(false);
    QVERIFY(!f.Document.SymbolsStale);
    for (TviewMode mode : {TviewMode::SymbolsAndColors, TviewMode::SymbolsOnly, TviewMode::HalfTone}) {
        f.Sheets.ViewMode = mode;
        f.Sheets.RefreshSheets(false);
        QCOMPARE(f.Scheme().CellText(2, 1), QString());
        QCOMPARE(f.Scheme().CellText(5, 0), QString());
        QCOMPARE(f.Scheme().CellText(1, 0), QStringLiteral("B"));
    }
    QCOMPARE(f.Scheme().CellStyle(2, 1).FillColor, std::uint8_t(7));
    QCOMPARE(f.Document.SchemeBitmap->GetColor(2).Count, 4);

    f.KitList.SetVisible(row, true);
    f.Document.SymbolsStale = true;
    f.Sheets.RefreshSheets(false);
    QCOMPARE(f.Scheme().CellText(2, 1), QStringLiteral("C"));
}

void TestSchemeSheets::colorsTableRowsTextsAndWidths()
{
    Tfixture f;
    // Colour 1 has no stitches: no kit row, so the table numbers 1, 2 while Num skips to 2.
    f.Load({{10, 20, 30, "310", 'X'}, {1, 2, 3, "unused", 'Y'}, {250, 240, 230, "A-LONG-THREAD", 'Z'}},
           2, 3, [](int r, int c) { return r == 0 && c == 0 ? 0 : 2; });
    const TsheetPage &table = f.Table();
    QCOMPARE(f.KitList.RowCount(), 2);
    QCOMPARE(table.RowCount(), 4);  // header, two colours, kit name

    const QStringList headers = {"#", "Symbol", "Color", "Thread", "Stitches"};
    const QList<int> widths = {32, 64, 64, 64, 80};
    for (int col = 0; col < 5; ++col) {
        QCOMPARE(table.CellText(col, 0), headers[col]);
        QCOMPARE(table.ColWidth(col), widths[col]);
        const TsheetStyle &style = table.CellStyle(col, 0);
        QCOMPARE(style.FontName, QStringLiteral("Verdana"));
        QCOMPARE(style.FontSize, std::uint8_t(10));
        QCOMPARE(style.FontColor, std::uint8_t(2));
        QCOMPARE(style.Edge(TcellEdge::Bottom), TedgeStyle::Thin);
    }
    for (int row = 0; row < 4; ++row)
        QCOMPARE(table.RowHeight(row), 18);

    QCOMPARE(table.CellText(0, 1), QStringLiteral("1"));
    QCOMPARE(table.CellText(0, 2), QStringLiteral("2"));
    QCOMPARE(table.CellText(1, 2), QStringLiteral("Z"));
    QCOMPARE(table.CellStyle(1, 2).FontName, QStringLiteral("Glifa"));
    QCOMPARE(table.CellText(2, 2), QString());
    QCOMPARE(table.CellStyle(2, 2).FillColor, std::uint8_t(2 + 5));
    QCOMPARE(table.CellStyle(2, 2).Edge(TcellEdge::Left), TedgeStyle::Thin);
    QCOMPARE(table.CellText(3, 2), QStringLiteral("A-LONG-THREAD"));
    QVERIFY(table.CellStyle(3, 2).Bold);
    QCOMPARE(table.CellStyle(3, 2).HorzAlign, ThorzAlign::Left);
    QCOMPARE(table.CellText(4, 1), QStringLiteral("1"));
    QCOMPARE(table.CellText(4, 2), QStringLiteral("5"));
    QCOMPARE(table.CellStyle(4, 2).HorzAlign, ThorzAlign::Right);

    QCOMPARE(table.CellText(0, 3), QStringLiteral("(DMC)"));
    const TsheetStyle &kitStyle = table.CellStyle(0, 3);
    QCOMPARE(kitStyle.FontName, QStringLiteral("Verdana"));
    QCOMPARE(kitStyle.FontSize, std::uint8_t(10));
    QCOMPARE(kitStyle.FontColor, std::uint8_t(2));
    QCOMPARE(kitStyle.Edge(TcellEdge::Top), TedgeStyle::None);
    QVERIFY(table.FindCell(1, 3) == nullptr);

    // The refresh leaves the last kit row as the drawing colour.
    QCOMPARE(f.KitList.CurrentRow(), 1);
}

void TestSchemeSheets::countsOnlyUpdateOfColorsTable()
{
    Tfixture f;
    f.Load(kThree, 2, 3, Stripes);
    f.KitList.SetCount(0, 41);
    f.KitList.SetCurrentRow(0);
    const TstyleId countStyle = f.Table().CellStyleId(4, 1);
    f.Sheets.FillColorsTable(false);
    QCOMPARE(f.Table().CellText(4, 1), QStringLiteral("41"));
    QCOMPARE(f.Table().CellStyleId(4, 1), countStyle);
    QCOMPARE(f.Table().CellText(0, 4), QStringLiteral("(DMC)"));  // not laid out again
    QCOMPARE(f.KitList.CurrentRow(), 2);
}

void TestSchemeSheets::refreshWithoutSchemeChangesNothing()
{
    Tfixture f;
    f.Load(kThree, 2, 3, Stripes);
    f.Document.SchemeLoaded = false;
    f.Document.SymbolsStale = true;
    f.Sheets.ViewMode = TviewMode::ColorsOnly;
    QSignalSpy spy(&f.Book, &TsheetBook::Changed);
    f.Sheets.RefreshSheets(true);
    QCOMPARE(spy.count(), 0);
    QVERIFY(!f.Document.SymbolsStale);
    QCOMPARE(f.Scheme().CellText(1, 1), QStringLiteral("B"));

    // Not even a flag without a raster (the wizard holds a picture, no scheme yet).
    Tfixture empty;
    empty.Document.SchemeLoaded = true;
    QSignalSpy emptySpy(&empty.Book, &TsheetBook::Changed);
    empty.Sheets.RefreshSheets(true);
    QCOMPARE(emptySpy.count(), 0);
}

void TestSchemeSheets::bracketClosedWhenStepFails()
{
    Tfixture f;
    f.Load(kThree, 2, 3, Stripes);
    f.Sheets.ShownKitName = []() -> QString { throw EKanvoError(QStringLiteral("no status bar")); };
    QSignalSpy spy(&f.Book, &TsheetBook::Changed);
    QVERIFY_THROWS_EXCEPTION(EKanvoError, f.Sheets.RefreshSheets(true));
    QVERIFY(!f.Book.IsUpdating());
    QCOMPARE(spy.count(), 1);  // what was written before the failure is announced
}

void TestSchemeSheets::coloursBeyondThePaletteDrawnInOneFixedWay()
{
    std::vector<TcolorSpec> colors;
    for (int k = 0; k < 53; ++k)
        colors.push_back({k * 4, 10, 20, "t", char(48 + k)});
    Tfixture f;
    f.Sheets.ViewMode = TviewMode::SymbolsAndColors;
    f.Load(colors, 1, 53, [](int, int c) { return c; });
    QCOMPARE(f.Book.PaletteEntry(55), TpackedColor(50 * 4) | (10u << 8) | (20u << 16));
    for (int k = 51; k < 53; ++k) {
        const TsheetStyle &style = f.Scheme().CellStyle(k, 0);
        QCOMPARE(style.FillColor, std::uint8_t(1));
        QCOMPARE(style.FontColor, std::uint8_t(2));  // a black symbol on the white fill
        QCOMPARE(f.Scheme().CellText(k, 0), QString(QChar(char16_t(48 + k))));
        QCOMPARE(f.Table().CellStyle(2, k + 1).FillColor, std::uint8_t(1));
    }
    // A raster index outside the colour list (a damaged file) shows an empty, unfilled cell.
    f.Document.SchemeBitmap->SetPixel(0, 3, 99);
    f.Sheets.RefreshSheets(true);
    QCOMPARE(f.Scheme().CellText(3, 0), QString());
    QCOMPARE(f.Scheme().CellStyle(3, 0).FillColor, NoPaletteColor);
}

void TestSchemeSheets::symbolAlphabetShowsAsDistinctCharacters()
{
    QSet<QChar> seen;
    for (int code = 48; code < 256; ++code) {
        if (code == 127 || code == 128 || code == 160)
            continue;
        const QChar shown = SymbolChar(char(code));
        QVERIFY2(shown.isPrint() && !shown.isSpace(), qPrintable(QString::number(code)));
        seen.insert(shown);
    }
    QCOMPARE(seen.size(), 205);
    QCOMPARE(SymbolChar(char(0xC0)), QChar(0x0410));  // Cyrillic capital A
    QCOMPARE(SymbolChar(char(0xB9)), QChar(0x2116));  // numero sign
}

QTEST_GUILESS_MAIN(TestSchemeSheets)
#include "tst_schemeSheets.moc"
