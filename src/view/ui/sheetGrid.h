#pragma once
// The grid widget that shows the shown page of a sheet book, the way a spreadsheet shows a sheet:
// R1C1 headers, cells with their fills, edges and texts, the active cell moved by keyboard and
// mouse, and a click notification. It paints only the cells in view, reads the palette at paint
// time (a palette write shows on the next repaint) and, while the book is inside an update
// bracket, keeps showing what it showed before the bracket began.
#include "view/sheetPainter.h"

#include <QAbstractScrollArea>
#include <QPixmap>

class TsheetBook;
struct TsheetChanges;

class TsheetGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TsheetGrid(TsheetBook &book, QWidget *parent = nullptr);

    TsheetBook &Book() { return m_book; }
    // The active cell of the shown page (column in x, row in y).
    QPoint ActiveCell() const;
    void SetActiveCell(int col, int row);
    // The cell under a point of the viewport, or (-1, -1) over the headers.
    QPoint CellAt(QPoint viewportPos) const;
    // Scrolls the least needed to bring the cell fully into view.
    void EnsureVisible(int col, int row);

    // Paints the viewport as it would appear now into painter (benchmarks, pictures).
    void PaintViewport(QPainter &painter, QSize size);

signals:
    // The user clicked a cell; it is the active cell by now.
    void ssbShemeClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void BookChanged(const TsheetChanges &changes);
    void UpdateScrollBars();
    int VisibleRows() const;

    TsheetBook &m_book;
    TsheetPainter m_painter;
    QPixmap m_buffer;  // what the viewport last showed
    QPoint m_pressedCell{-1, -1};
};
