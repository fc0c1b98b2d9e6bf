#include "view/ui/sheetGrid.h"

#include "view/sheetBook.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

TsheetGrid::TsheetGrid(TsheetBook &book, QWidget *parent)
    : QAbstractScrollArea(parent), m_book(book), m_painter(book)
{
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted from the buffer, so Qt need not clear the viewport first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    connect(&m_book, &TsheetBook::Changed, this, &TsheetGrid::BookChanged);
    connect(&m_book, &TsheetBook::ActiveCellChanged, this, [this](int page, QPoint) {
        if (page == m_book.ActivePage())
            viewport()->update();
    });
    UpdateScrollBars();
}

QPoint TsheetGrid::ActiveCell() const
{
    return m_book.Page(m_book.ActivePage()).ActiveCell();
}

void TsheetGrid::SetActiveCell(int col, int row)
{
    m_book.ShownPage().SetActiveCell(std::max(col, 0), std::max(row, 0));
}

QPoint TsheetGrid::CellAt(QPoint pos) const
{
    const TsheetPaintOptions options;
    const QPoint origin = m_painter.CellOrigin(options);
    if (pos.x() < origin.x() || pos.y() < origin.y())
        return {-1, -1};
    const TsheetPage &page = m_book.Page(m_book.ActivePage());
    return {page.ColAt(pos.x() - origin.x() + horizontalScrollBar()->value()),
            page.RowAt(pos.y() - origin.y() + verticalScrollBar()->value())};
}

void TsheetGrid::EnsureVisible(int col, int row)
{
    const TsheetPage &page = m_book.Page(m_book.ActivePage());
    const QPoint origin = m_painter.CellOrigin({});
    const int areaWidth = viewport()->width() - origin.x();
    const int areaHeight = viewport()->height() - origin.y();
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    const int left = page.ColLeft(col);
    const int right = page.ColLeft(col + 1) + 1;
    if (left < h->value())
        h->setValue(left);
    else if (right > h->value() + areaWidth)
        h->setValue(std::min(left, right - areaWidth));
    const int top = page.RowTop(row);
    const int bottom = page.RowTop(row + 1) + 1;
    if (top < v->value())
        v->setValue(top);
    else if (bottom > v->value() + areaHeight)
        v->setValue(std::min(top, bottom - areaHeight));
}

void TsheetGrid::PaintViewport(QPainter &painter, QSize size)
{
    TsheetPaintOptions options;
    if (hasFocus())
        options.ActiveCell = ActiveCell();
    m_painter.Paint(painter, m_book.ActivePage(), size,
                    QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()), options);
}

void TsheetGrid::paintEvent(QPaintEvent *)
{
    const QSize size = viewport()->size();
    const qreal ratio = viewport()->devicePixelRatioF();
    // Inside an update bracket the book is half written: show the last picture instead.
    const bool bufferFits = m_buffer.size() == size * ratio;
    if (!m_book.IsUpdating() || !bufferFits) {
        if (!bufferFits) {
            m_buffer = QPixmap(size * ratio);
            m_buffer.setDevicePixelRatio(ratio);
        }
        QPainter painter(&m_buffer);
        PaintViewport(painter, size);
    }
    QPainter painter(viewport());
    painter.drawPixmap(0, 0, m_buffer);
}

void TsheetGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TsheetGrid::scrollContentsBy(int, int)
{
    viewport()->update();
}

void TsheetGrid::BookChanged(const TsheetChanges &changes)
{
    const std::size_t shown = std::size_t(m_book.ActivePage());
    const bool layout = changes.Layout
                        || (shown < changes.Pages.size()
                            && (changes.Pages[shown].Layout || changes.Pages[shown].Cleared
                                || !changes.Pages[shown].Cells.isEmpty()));
    if (layout)
        UpdateScrollBars();
    viewport()->update();
}

void TsheetGrid::UpdateScrollBars()
{
    const TsheetPage &page = m_book.Page(m_book.ActivePage());
    const QPoint origin = m_painter.CellOrigin({});
    const int areaWidth = std::max(viewport()->width() - origin.x(), 0);
    const int areaHeight = std::max(viewport()->height() - origin.y(), 0);
    // One pixel more than the cells: the closing line after the last column and row.
    const int contentWidth = page.ColLeft(page.ColCount()) + 2;
    const int contentHeight = page.RowTop(page.RowCount()) + 2;
    horizontalScrollBar()->setRange(0, std::max(contentWidth - areaWidth, 0));
    horizontalScrollBar()->setPageStep(std::max(areaWidth, 1));
    horizontalScrollBar()->setSingleStep(m_book.DefaultColWidth());
    verticalScrollBar()->setRange(0, std::max(contentHeight - areaHeight, 0));
    verticalScrollBar()->setPageStep(std::max(areaHeight, 1));
    verticalScrollBar()->setSingleStep(m_book.DefaultRowHeight());
}

int TsheetGrid::VisibleRows() const
{
    const int height = viewport()->height() - m_painter.CellOrigin({}).y();
    return std::max(height / std::max(m_book.DefaultRowHeight(), 1), 1);
}

void TsheetGrid::mousePressEvent(QMouseEvent *event)
{
    m_pressedCell = {-1, -1};
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell.x() < 0 || cell.y() < 0)
        return;
    SetActiveCell(cell.x(), cell.y());
    EnsureVisible(cell.x(), cell.y());
    m_pressedCell = cell;
}

void TsheetGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_pressedCell.x() < 0)
        return;
    // A click is a press and a release on the same cell; the cell became active at the press.
    const bool sameCell = CellAt(event->position().toPoint()) == m_pressedCell;
    m_pressedCell = {-1, -1};
    if (sameCell)
        emit ssbShemeClick();
}

void TsheetGrid::keyPressEvent(QKeyEvent *event)
{
    const TsheetPage &page = m_book.Page(m_book.ActivePage());
    const int lastCol = std::max(page.ColCount(), 1) - 1;
    const int lastRow = std::max(page.RowCount(), 1) - 1;
    QPoint cell = ActiveCell();
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left: cell.rx() -= 1; break;
    case Qt::Key_Right: cell.rx() += 1; break;
    case Qt::Key_Up: cell.ry() -= 1; break;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter: cell.ry() += 1; break;
    case Qt::Key_PageUp: cell.ry() -= VisibleRows(); break;
    case Qt::Key_PageDown: cell.ry() += VisibleRows(); break;
    case Qt::Key_Home:
        cell.rx() = 0;
        if (control)
            cell.ry() = 0;
        break;
    case Qt::Key_End:
        cell.rx() = lastCol;
        if (control)
            cell.ry() = lastRow;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    cell.rx() = std::clamp(cell.x(), 0, std::max(lastCol, ActiveCell().x()));
    cell.ry() = std::clamp(cell.y(), 0, std::max(lastRow, ActiveCell().y()));
    SetActiveCell(cell.x(), cell.y());
    EnsureVisible(cell.x(), cell.y());
    event->accept();
}

void TsheetGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TsheetGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
