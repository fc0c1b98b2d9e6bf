// The sheet book model: cells made on first use, interned styles, sizes, palette, brackets.
#include "view/sheetBook.h"

#include <QSignalSpy>
#include <QTest>

class TestSheetBook : public QObject {
    Q_OBJECT

private slots:
    void paletteStartsWithWorkbookDefaults_data();
    void paletteStartsWithWorkbookDefaults();
    void cellsAreMadeOnFirstUse();
    void textsOfOneAndMoreCharacters();
    void stylesAreInterned();
    void styleItemsChangeOneAtATime();
    void sizesAndOffsets();
    void bracketsNestAndNotifyOnce();
    void writesOutsideBracketNotifyAtOnce();
    void clearRemovesCellsAndSizes();
    void activeCellAndShownPage();
    void badIndicesAreIgnored();
};

void TestSheetBook::paletteStartsWithWorkbookDefaults_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<uint>("packed");
    QTest::newRow("0 black") << 0 << 0x000000u;
    QTest::newRow("1 white") << 1 << 0xFFFFFFu;
    QTest::newRow("2 red") << 2 << 0x0000FFu;
    QTest::newRow("3 bright green") << 3 << 0x00FF00u;
    QTest::newRow("4 blue") << 4 << 0xFF0000u;
    QTest::newRow("5 yellow") << 5 << 0x00FFFFu;
    QTest::newRow("8 dark red") << 8 << 0x000080u;
    QTest::newRow("16 periwinkle") << 16 << 0xFF9999u;
    QTest::newRow("32 sky blue") << 32 << 0xFFCC00u;
    QTest::newRow("45 orange") << 45 << 0x0066FFu;
    QTest::newRow("55 gray 80") << 55 << 0x333333u;
}

void TestSheetBook::paletteStartsWithWorkbookDefaults()
{
    QFETCH(int, entry);
    QFETCH(uint, packed);
    TsheetBook book;
    QCOMPARE(book.PaletteEntry(entry), packed);
}

void TestSheetBook::cellsAreMadeOnFirstUse()
{
    TsheetBook book;
    TsheetPage &page = book.Page(0);
    QVERIFY(page.FindCell(3, 2) == nullptr);
    QCOMPARE(page.CellText(3, 2), QString());
    QCOMPARE(page.CellStyleId(3, 2), TsheetStyleTable::DefaultStyle);
    QCOMPARE(page.ColCount(), 0);

    page.SetFillColor(3, 2, 7);
    QVERIFY(page.FindCell(3, 2) != nullptr);
    QCOMPARE(page.CellStyle(3, 2).FillColor, std::uint8_t(7));
    QCOMPARE(page.ColCount(), 4);
    QCOMPARE(page.RowCount(), 3);
    QVERIFY(book.Page(1).FindCell(3, 2) == nullptr);
}

void TestSheetBook::textsOfOneAndMoreCharacters()
{
    TsheetBook book;
    TsheetPage &page = book.Page(0);
    page.SetChar(0, 0, QChar(0x0416));
    QVERIFY(page.FindCell(0, 0)->IsChar());
    QCOMPARE(page.CellText(0, 0), QString(QChar(0x0416)));

    page.SetText(1, 0, QStringLiteral("Stitches"));
    page.SetText(2, 0, QStringLiteral("x"));
    QVERIFY(!page.FindCell(1, 0)->IsChar());
    QVERIFY(page.FindCell(2, 0)->IsChar());
    QCOMPARE(page.CellText(1, 0), QStringLiteral("Stitches"));

    // A long text replaced by a short one and back again keeps the other long texts apart.
    page.SetText(3, 0, QStringLiteral("(DMC)"));
    page.SetChar(1, 0, u'#');
    page.SetText(4, 0, QStringLiteral("Thread"));
    page.SetText(1, 0, QStringLiteral("Symbol"));
    QCOMPARE(page.CellText(1, 0), QStringLiteral("Symbol"));
    QCOMPARE(page.CellText(3, 0), QStringLiteral("(DMC)"));
    QCOMPARE(page.CellText(4, 0), QStringLiteral("Thread"));
    page.ClearText(3, 0);
    QVERIFY(page.FindCell(3, 0)->IsEmpty());
    QCOMPARE(page.CellText(4, 0), QStringLiteral("Thread"));
}

void TestSheetBook::stylesAreInterned()
{
    TsheetBook book;
    TsheetPage &page = book.Page(0);
    const int before = book.Styles().Count();
    for (int r = 0; r < 100; ++r)
        for (int c = 0; c < 100; ++c) {
            page.SetFontColor(c, r, (c + r) % 2 ? 2 : 3);
            page.SetEdge(c, r, TcellEdge::Left, c % 10 == 0 ? TedgeStyle::Medium : TedgeStyle::Thin);
        }
    // Two font colours times two left edges, plus the intermediate steps of the first cells.
    QVERIFY(book.Styles().Count() - before <= 6);
    QCOMPARE(page.CellStyleId(0, 0), page.CellStyleId(10, 2));
    QVERIFY(page.CellStyleId(0, 0) != page.CellStyleId(1, 0));
}

void TestSheetBook::styleItemsChangeOneAtATime()
{
    TsheetBook book;
    TsheetPage &page = book.Page(1);
    page.SetFillColor(2, 1, 9);
    page.SetFontName(2, 1, QStringLiteral("Verdana"));
    page.SetFontSize(2, 1, 10);
    page.SetBold(2, 1, true);
    page.SetHorzAlign(2, 1, ThorzAlign::Right);
    page.SetEdge(2, 1, TcellEdge::Bottom, TedgeStyle::Medium);
    const TsheetStyle &style = page.CellStyle(2, 1);
    QCOMPARE(style.FillColor, std::uint8_t(9));
    QCOMPARE(style.FontName, QStringLiteral("Verdana"));
    QCOMPARE(style.FontSize, std::uint8_t(10));
    QVERIFY(style.Bold);
    QCOMPARE(style.HorzAlign, ThorzAlign::Right);
    QCOMPARE(style.Edge(TcellEdge::Bottom), TedgeStyle::Medium);
    QCOMPARE(style.Edge(TcellEdge::Top), TedgeStyle::None);
}

void TestSheetBook::sizesAndOffsets()
{
    TsheetBook book;
    TsheetPage &page = book.Page(1);
    QCOMPARE(page.ColWidth(5), 14);
    QCOMPARE(page.RowHeight(5), 14);
    page.SetColWidth(0, 32);
    page.SetColWidth(1, 64);
    page.SetRowHeight(0, 18);
    QCOMPARE(page.ColLeft(0), 0);
    QCOMPARE(page.ColLeft(2), 96);
    QCOMPARE(page.ColLeft(4), 96 + 2 * 14);
    QCOMPARE(page.ColAt(31), 0);
    QCOMPARE(page.ColAt(32), 1);
    QCOMPARE(page.ColAt(96 + 14), 3);
    QCOMPARE(page.RowAt(17), 0);
    QCOMPARE(page.RowAt(18), 1);
    QCOMPARE(page.ColAt(-1), -1);

    // Printing widens the default: columns of their own width keep it.
    book.SetDefaultColWidth(17);
    QCOMPARE(page.ColWidth(0), 32);
    QCOMPARE(page.ColWidth(2), 17);
    QCOMPARE(page.ColLeft(4), 96 + 2 * 17);
}

void TestSheetBook::bracketsNestAndNotifyOnce()
{
    TsheetBook book;
    QSignalSpy spy(&book, &TsheetBook::Changed);
    book.BeginUpdate();
    book.Page(0).SetChar(2, 3, u'a');
    book.BeginUpdate();
    book.Page(0).SetFillColor(7, 1, 5);
    book.SetPaletteEntry(6, 0x123456);
    book.Page(1).SetRowHeight(4, 18);
    book.EndUpdate();
    QCOMPARE(spy.count(), 0);
    QVERIFY(book.IsUpdating());
    book.EndUpdate();
    QVERIFY(!book.IsUpdating());
    QCOMPARE(spy.count(), 1);

    const auto changes = spy.at(0).at(0).value<TsheetChanges>();
    QCOMPARE(changes.Pages.at(0).Cells, QRect(QPoint(2, 1), QPoint(7, 3)));
    QVERIFY(!changes.Pages.at(0).Layout);
    QVERIFY(changes.Pages.at(1).Cells.isEmpty());
    QVERIFY(changes.Pages.at(1).Layout);
    QCOMPARE(changes.PaletteEntries, std::uint64_t(1) << 6);

    // An unbalanced end is ignored rather than wrapping the depth around.
    book.EndUpdate();
    QVERIFY(!book.IsUpdating());
}

void TestSheetBook::writesOutsideBracketNotifyAtOnce()
{
    TsheetBook book;
    QSignalSpy spy(&book, &TsheetBook::Changed);
    book.Page(0).SetChar(0, 0, u'x');
    QCOMPARE(spy.count(), 1);
    book.SetPaletteEntry(9, 0x00FF00);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).value<TsheetChanges>().PaletteEntries, std::uint64_t(1) << 9);
    book.SetPaletteEntry(9, 0x00FF00);  // the same value: nothing to repaint
    QCOMPARE(spy.count(), 2);
}

void TestSheetBook::clearRemovesCellsAndSizes()
{
    TsheetBook book;
    TsheetPage &page = book.Page(0);
    page.SetText(4, 4, QStringLiteral("long text"));
    page.SetRowHeight(10, 30);
    page.SetColWidth(3, 40);
    QSignalSpy spy(&book, &TsheetBook::Changed);
    page.Clear();
    QCOMPARE(spy.count(), 1);
    QVERIFY(spy.at(0).at(0).value<TsheetChanges>().Pages.at(0).Cleared);
    QVERIFY(page.FindCell(4, 4) == nullptr);
    QCOMPARE(page.ColCount(), 0);
    QCOMPARE(page.RowCount(), 0);
    QCOMPARE(page.RowHeight(10), 14);
    QCOMPARE(page.ColLeft(5), 5 * 14);
}

void TestSheetBook::activeCellAndShownPage()
{
    TsheetBook book;
    QSignalSpy cellSpy(&book, &TsheetBook::ActiveCellChanged);
    QCOMPARE(book.ActivePage(), 0);
    book.Page(0).SetActiveCell(5, 7);
    QCOMPARE(book.ShownPage().ActiveCell(), QPoint(5, 7));
    QCOMPARE(cellSpy.count(), 1);
    book.SetActivePage(1);
    QCOMPARE(book.ShownPage().ActiveCell(), QPoint(0, 0));
    book.SetActivePage(2);  // no such page
    QCOMPARE(book.ActivePage(), 1);
}

void TestSheetBook::badIndicesAreIgnored()
{
    TsheetBook book;
    TsheetPage &page = book.Page(0);
    page.SetChar(-1, 0, u'x');
    page.SetText(0, MaxSheetLines, QStringLiteral("far"));
    page.SetColWidth(-3, 20);
    QCOMPARE(page.RowCount(), 0);
    QCOMPARE(page.ColCount(), 0);
    // A colour index past the palette means no colour, never a read past its end.
    page.SetFillColor(0, 0, 56);
    page.SetFontColor(0, 0, -2);
    QCOMPARE(page.CellStyle(0, 0).FillColor, NoPaletteColor);
    QCOMPARE(page.CellStyle(0, 0).FontColor, NoPaletteColor);
    book.SetPaletteEntry(56, 0x123456);
    book.SetPaletteEntry(-1, 0x123456);
    QCOMPARE(book.PaletteEntry(55), 0x333333u);
}

QTEST_GUILESS_MAIN(TestSheetBook)
#include "tst_sheetBook.moc"
