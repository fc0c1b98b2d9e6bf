// The grid widget: painting from the palette, update brackets, active cell, click, selection.
#include "view/sheetBook.h"
#include "view/ui/sheetGrid.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

// A 40 x 30 page whose cell (1, 1) is filled from palette entry 10.
void FillPage(TsheetBook &book)
{
    TsheetPage &page = book.Page(0);
    for (int r = 0; r < 30; ++r)
        for (int c = 0; c < 40; ++c)
            page.SetChar(c, r, u'x');
    page.SetFillColor(1, 1, 10);
}

// The middle of a cell's area in viewport pixels, headers 14 wide and high, nothing scrolled.
QPoint CellCentre(const TsheetGrid &grid, int col, int row)
{
    const TsheetPage &page = const_cast<TsheetGrid &>(grid).Book().ShownPage();
    return QPoint(14 + page.ColLeft(col) + page.ColWidth(col) / 2 + 1,
                  14 + page.RowTop(row) + page.RowHeight(row) / 2 + 1);
}

QRgb PixelAt(TsheetGrid &grid, QPoint pos)
{
    return grid.viewport()->grab().toImage().pixel(pos) & 0xFFFFFF;
}

}  // namespace

class TestSheetGrid : public QObject {
    Q_OBJECT

private slots:
    void clickMakesCellActiveBeforeNotifying();
    void clickOnHeadersDoesNothing();
    void keyboardMovesActiveCell();
    void paletteWriteShowsOnNextRepaint();
    void bracketKeepsLastPictureUntilItsEnd();
    void selectionDrawnOnlyWhileFocused();
    void activeCellIsScrolledIntoView();
};

void TestSheetGrid::clickMakesCellActiveBeforeNotifying()
{
    TsheetBook book;
    FillPage(book);
    TsheetGrid grid(book);
    grid.resize(400, 300);
    QPoint activeAtClick(-1, -1);
    int clicks = 0;
    connect(&grid, &TsheetGrid::ssbShemeClick, this, [&] {
        activeAtClick = book.ShownPage().ActiveCell();
        ++clicks;
    });
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 3, 2));
    QCOMPARE(clicks, 1);
    QCOMPARE(activeAtClick, QPoint(3, 2));
    QCOMPARE(grid.ActiveCell(), QPoint(3, 2));

    // Press on one cell, release on another: the cell moved, but it was no click.
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 5, 5));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 8, 5));
    QCOMPARE(clicks, 1);
    QCOMPARE(grid.ActiveCell(), QPoint(5, 5));
}

void TestSheetGrid::clickOnHeadersDoesNothing()
{
    TsheetBook book;
    FillPage(book);
    TsheetGrid grid(book);
    grid.resize(400, 300);
    grid.SetActiveCell(2, 2);
    QSignalSpy spy(&grid, &TsheetGrid::ssbShemeClick);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(50, 7));   // column header
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(7, 50));   // row header
    QCOMPARE(spy.count(), 0);
    QCOMPARE(grid.ActiveCell(), QPoint(2, 2));
}

void TestSheetGrid::keyboardMovesActiveCell()
{
    TsheetBook book;
    FillPage(book);
    TsheetGrid grid(book);
    grid.resize(400, 300);
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.ActiveCell(), QPoint(2, 1));
    QTest::keyClick(&grid, Qt::Key_Up);
    QTest::keyClick(&grid, Qt::Key_Up);
    QCOMPARE(grid.ActiveCell(), QPoint(2, 0));
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(grid.ActiveCell(), QPoint(39, 29));
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    QCOMPARE(grid.ActiveCell(), QPoint(39, 29));
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(grid.ActiveCell(), QPoint(0, 0));
}

void TestSheetGrid::paletteWriteShowsOnNextRepaint()
{
    TsheetBook book;
    FillPage(book);
    TsheetGrid grid(book);
    grid.resize(400, 300);
    const QPoint corner = CellCentre(grid, 1, 1) + QPoint(5, 5);  // clear of the symbol
    QCOMPARE(PixelAt(grid, corner), 0x000080u);  // entry 10: navy
    QSignalSpy spy(&book, &TsheetBook::Changed);
    book.SetPaletteEntry(10, 0x3264C8);
    QVERIFY(!spy.at(0).at(0).value<TsheetChanges>().CellsTouched());
    QCOMPARE(PixelAt(grid, corner), QColor(200, 100, 50).rgb() & 0xFFFFFF);
}

void TestSheetGrid::bracketKeepsLastPictureUntilItsEnd()
{
    TsheetBook book;
    FillPage(book);
    TsheetGrid grid(book);
    grid.resize(400, 300);
    const QPoint corner = CellCentre(grid, 1, 1) + QPoint(5, 5);
    const QRgb before = PixelAt(grid, corner);
    book.BeginUpdate();
    book.SetPaletteEntry(10, 0x00FF00);
    book.Page(0).SetFillColor(1, 1, 2);
    QCOMPARE(PixelAt(grid, corner), before);
    book.EndUpdate();
    QCOMPARE(PixelAt(grid, corner), 0xFF0000u);  // entry 2, red
}

void TestSheetGrid::selectionDrawnOnlyWhileFocused()
{
    TsheetBook book;
    FillPage(book);
    TsheetGrid grid(book);
    grid.resize(400, 300);
    grid.SetActiveCell(4, 4);
    const QPoint frame = CellCentre(grid, 4, 4) - QPoint(8, 0);  // on the cell's left boundary
    QVERIFY(PixelAt(grid, frame) != 0u);

    grid.show();
    QApplication::setActiveWindow(&grid);
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
    QTRY_VERIFY(grid.hasFocus());
    QCOMPARE(PixelAt(grid, frame), 0u);
    grid.clearFocus();
    QVERIFY(PixelAt(grid, frame) != 0u);
}

void TestSheetGrid::activeCellIsScrolledIntoView()
{
    TsheetBook book;
    book.Page(0).SetChar(999, 999, u'z');
    TsheetGrid grid(book);
    grid.resize(400, 300);
    QCOMPARE(grid.horizontalScrollBar()->maximum(),
             1000 * 14 + 2 - (grid.viewport()->width() - 14));
    grid.SetActiveCell(500, 700);
    grid.EnsureVisible(500, 700);
    const QPoint cell = grid.CellAt(QPoint(grid.viewport()->width() - 5, grid.viewport()->height() - 5));
    QVERIFY(cell.x() >= 500 && cell.x() < 503);
    QVERIFY(cell.y() >= 700 && cell.y() < 703);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(grid.ActiveCell(), grid.CellAt(QPoint(20, 20)));
    QVERIFY(grid.ActiveCell().x() > 400);
}

QTEST_MAIN(TestSheetGrid)
#include "tst_sheetGrid.moc"
