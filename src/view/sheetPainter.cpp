#include "view/sheetPainter.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace {

const QColor kWindow(255, 255, 255);
const QColor kWindowText(0, 0, 0);
const QColor kGridLine(208, 215, 229);    // light, so the cells' own edges stand out
const QColor kHeaderFace(240, 240, 240);
const QColor kHeaderMarked(255, 213, 141);  // the active cell's column and row, while focused
const QColor kHeaderLine(158, 158, 158);

QColor FromPacked(TpackedColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

Qt::Alignment Alignment(const TsheetStyle &style)
{
    Qt::Alignment align;
    switch (style.HorzAlign) {
    case ThorzAlign::General:
    case ThorzAlign::Left: align = Qt::AlignLeft; break;
    case ThorzAlign::Center: align = Qt::AlignHCenter; break;
    case ThorzAlign::Right: align = Qt::AlignRight; break;
    }
    switch (style.VertAlign) {
    case TvertAlign::Top: align |= Qt::AlignTop; break;
    case TvertAlign::Center: align |= Qt::AlignVCenter; break;
    case TvertAlign::Bottom: align |= Qt::AlignBottom; break;
    }
    return align;
}

// Column names for the A1 style: A..Z, AA..ZZ, AAA...
QString ColumnLetters(int col)
{
    QString letters;
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

// A line of the given weight along the boundary that starts at pixel offset at: thin lines take
// that pixel, medium lines that pixel and the next.
void VerticalEdge(QPainter &painter, TedgeStyle weight, int x, int top, int height)
{
    if (weight != TedgeStyle::None)
        painter.fillRect(x, top, weight == TedgeStyle::Medium ? 2 : 1, height, kWindowText);
}

void HorizontalEdge(QPainter &painter, TedgeStyle weight, int y, int left, int width)
{
    if (weight != TedgeStyle::None)
        painter.fillRect(left, y, width, weight == TedgeStyle::Medium ? 2 : 1, kWindowText);
}

}  // namespace

std::size_t TsheetPainter::TglyphHash::operator()(const TglyphKey &key) const noexcept
{
    std::uint64_t h = std::uint64_t(key.Style) * 0x9E3779B97F4A7C15ull;
    h ^= (std::uint64_t(key.Char) << 32 | key.Color) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
    h ^= std::uint64_t(key.Size) + (h << 6) + (h >> 2);
    return std::size_t(h);
}

TsheetPainter::TsheetPainter(const TsheetBook &book) : m_book(book) {}

QPoint TsheetPainter::CellOrigin(const TsheetPaintOptions &options) const
{
    return options.Headers ? QPoint(m_book.RowHeaderWidth(), m_book.ColHeaderHeight()) : QPoint();
}

const QFont &TsheetPainter::CellFont(TstyleId id)
{
    auto found = m_fonts.find(id);
    if (found == m_fonts.end()) {
        const TsheetStyle &style = m_book.Styles().Style(id);
        QFont font(style.FontName);
        font.setPointSize(style.FontSize);
        font.setBold(style.Bold);
        found = m_fonts.emplace(id, font).first;
    }
    return found->second;
}

QColor TsheetPainter::PaletteColor(std::uint8_t index, QColor none) const
{
    return index < SheetPaletteSize ? FromPacked(m_book.PaletteEntry(index)) : none;
}

const QImage &TsheetPainter::Glyph(const TglyphKey &key, QChar ch, qreal pixelRatio)
{
    // The screen shows a few dozen symbols in two colours; a bounded cache of their pictures turns
    // thousands of text layouts per paint into image copies.
    if (pixelRatio != m_glyphRatio || m_glyphs.size() > 8192) {
        m_glyphs.clear();
        m_glyphRatio = pixelRatio;
    }
    auto found = m_glyphs.find(key);
    if (found != m_glyphs.end())
        return found->second;
    const int width = int(key.Size >> 16);
    const int height = int(key.Size & 0xFFFF);
    QImage image(QSize(width, height) * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter glyph(&image);
        glyph.setFont(CellFont(key.Style));
        glyph.setPen(FromPacked(key.Color));
        glyph.drawText(QRect(0, 0, width, height), int(Alignment(m_book.Styles().Style(key.Style))),
                       QString(ch));
    }
    return m_glyphs.emplace(key, std::move(image)).first->second;
}

void TsheetPainter::Paint(QPainter &painter, int pageIndex, QSize viewport, QPoint scroll,
                          const TsheetPaintOptions &options)
{
    const TsheetPage &page = m_book.Page(pageIndex);
    TrangeInfo range;
    range.Origin = CellOrigin(options);
    range.Scroll = scroll;
    range.Viewport = viewport;
    const QSize area(viewport.width() - range.Origin.x(), viewport.height() - range.Origin.y());
    range.FirstCol = std::max(page.ColAt(scroll.x()), 0);
    range.LastCol = std::max(page.ColAt(scroll.x() + std::max(area.width(), 1) - 1), range.FirstCol);
    range.FirstRow = std::max(page.RowAt(scroll.y()), 0);
    range.LastRow = std::max(page.RowAt(scroll.y() + std::max(area.height(), 1) - 1), range.FirstRow);

    painter.save();
    if (area.width() > 0 && area.height() > 0) {
        painter.setClipRect(QRect(range.Origin, area));
        PaintCells(painter, page, range, options);
        PaintTexts(painter, page, range);
        painter.setClipping(false);
    }
    if (options.Headers)
        PaintHeaders(painter, page, range, options);
    painter.restore();
}

void TsheetPainter::PaintCells(QPainter &painter, const TsheetPage &page, const TrangeInfo &range,
                               const TsheetPaintOptions &options)
{
    const TsheetStyleTable &styles = m_book.Styles();
    const QPoint shift = range.Origin - range.Scroll;
    const QRect area(range.Origin, range.Viewport - QSize(range.Origin.x(), range.Origin.y()));
    painter.fillRect(area, kWindow);

    // Each cell owns the line along its left and top side: pixel x (and x + 1 for medium lines)
    // of a cell starting at x. Fills cover the rest, so lines and fills never fight.
    for (int r = range.FirstRow; r <= range.LastRow; ++r) {
        const int y = shift.y() + page.RowTop(r);
        const int h = page.RowHeight(r);
        for (int c = range.FirstCol; c <= range.LastCol; ++c) {
            const TsheetCell *cell = page.FindCell(c, r);
            if (!cell)
                continue;
            const std::uint8_t fill = styles.Style(cell->Style).FillColor;
            if (fill < SheetPaletteSize)
                painter.fillRect(shift.x() + page.ColLeft(c) + 1, y + 1, page.ColWidth(c) - 1, h - 1,
                                 FromPacked(m_book.PaletteEntry(fill)));
        }
    }

    if (options.GridLines) {
        for (int c = range.FirstCol; c <= range.LastCol + 1; ++c)
            painter.fillRect(shift.x() + page.ColLeft(c), area.top(), 1, area.height(), kGridLine);
        for (int r = range.FirstRow; r <= range.LastRow + 1; ++r)
            painter.fillRect(area.left(), shift.y() + page.RowTop(r), area.width(), 1, kGridLine);
    }

    // A boundary between two cells takes the heavier of the two edges that meet there. Every cell
    // draws its left and top boundary; the boundaries after the last visible column and row are
    // drawn by the cells beyond them, which are visited as well.
    const auto styleAt = [&](int c, int r) -> const TsheetStyle & {
        return styles.Style(page.CellStyleId(c, r));
    };
    for (int r = range.FirstRow; r <= range.LastRow + 1; ++r) {
        const int y = shift.y() + page.RowTop(r);
        const int h = page.RowHeight(r);
        for (int c = range.FirstCol; c <= range.LastCol + 1; ++c) {
            const TsheetStyle &style = styleAt(c, r);
            const int x = shift.x() + page.ColLeft(c);
            const TedgeStyle left = std::max(style.Edge(TcellEdge::Left),
                                             c > 0 ? styleAt(c - 1, r).Edge(TcellEdge::Right)
                                                   : TedgeStyle::None);
            const TedgeStyle top = std::max(style.Edge(TcellEdge::Top),
                                            r > 0 ? styleAt(c, r - 1).Edge(TcellEdge::Bottom)
                                                  : TedgeStyle::None);
            // The corner pixel belongs to both lines; extend by the weight of the crossing line
            // so medium frames close without a notch.
            VerticalEdge(painter, left, x, y, h + 1);
            HorizontalEdge(painter, top, y, x, page.ColWidth(c) + 1);
        }
    }

    if (options.ActiveCell) {
        const QPoint cell = *options.ActiveCell;
        const int x = shift.x() + page.ColLeft(cell.x());
        const int y = shift.y() + page.RowTop(cell.y());
        const int w = page.ColWidth(cell.x());
        const int h = page.RowHeight(cell.y());
        // A black frame on the cell's boundary lines with a white line inside it, so the active
        // cell stands out on dark and light fills alike and against the black block lines.
        const auto frame = [&](const QRect &box, int thickness, const QColor &color) {
            painter.fillRect(box.left(), box.top(), box.width(), thickness, color);
            painter.fillRect(box.left(), box.bottom() - thickness + 1, box.width(), thickness, color);
            painter.fillRect(box.left(), box.top(), thickness, box.height(), color);
            painter.fillRect(box.right() - thickness + 1, box.top(), thickness, box.height(), color);
        };
        frame(QRect(x - 1, y - 1, w + 3, h + 3), 2, kWindowText);
        frame(QRect(x + 1, y + 1, w - 1, h - 1), 1, kWindow);
    }
}

void TsheetPainter::PaintTexts(QPainter &painter, const TsheetPage &page, const TrangeInfo &range)
{
    const TsheetStyleTable &styles = m_book.Styles();
    const QPoint shift = range.Origin - range.Scroll;
    const int areaRight = range.Viewport.width();
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    // Long texts flow into empty cells on their right, as in a spreadsheet; one that starts a
    // little left of the view may still reach into it.
    const int scanFrom = std::max(range.FirstCol - 64, 0);

    for (int r = range.FirstRow; r <= range.LastRow; ++r) {
        const int y = shift.y() + page.RowTop(r);
        const int h = page.RowHeight(r);
        for (int c = scanFrom; c <= range.LastCol; ++c) {
            const TsheetCell *cell = page.FindCell(c, r);
            if (!cell || cell->IsEmpty() || (cell->IsChar() && c < range.FirstCol))
                continue;
            const TsheetStyle &style = styles.Style(cell->Style);
            const int x = shift.x() + page.ColLeft(c);
            const int w = page.ColWidth(c);
            const QColor color = PaletteColor(style.FontColor, kWindowText);
            if (cell->IsChar()) {
                const TglyphKey key{cell->Style, cell->Char().unicode(), TpackedColor(color.rgb() & 0xFFFFFF),
                                    std::uint32_t(w - 1) << 16 | std::uint32_t(h - 1)};
                if (w > 1 && h > 1)
                    painter.drawImage(QPoint(x + 1, y + 1), Glyph(key, cell->Char(), ratio));
                continue;
            }
            const QString text = page.CellText(c, r);
            const QFont &font = CellFont(cell->Style);
            QRect box(x + 1, y + 1, w - 1, h - 1);
            const Qt::Alignment align = Alignment(style);
            if (align & Qt::AlignLeft) {
                const int textWidth = QFontMetrics(font, painter.device()).horizontalAdvance(text) + 4;
                for (int next = c + 1; box.width() < textWidth && box.right() < areaRight; ++next) {
                    const TsheetCell *neighbour = page.FindCell(next, r);
                    if (neighbour && !neighbour->IsEmpty())
                        break;
                    box.setRight(box.right() + page.ColWidth(next));
                }
            }
            if (box.right() < range.Origin.x())
                continue;
            painter.setFont(font);
            painter.setPen(color);
            painter.drawText(box.adjusted(2, 0, -2, 0), int(align), text);
        }
    }
}

void TsheetPainter::PaintHeaders(QPainter &painter, const TsheetPage &page, const TrangeInfo &range,
                                 const TsheetPaintOptions &options)
{
    const QPoint origin = range.Origin;
    const QPoint shift = origin - range.Scroll;
    QFont font(m_book.HeaderFontName);
    font.setPixelSize(m_book.HeaderFontPixels);
    const QFontMetrics metrics(font, painter.device());
    painter.setFont(font);
    painter.setPen(kWindowText);

    // Numbers wider than their header (four digits in a 14-pixel column) are squeezed sideways
    // rather than cut.
    const auto drawNumber = [&](const QRect &box, const QString &text) {
        const int textWidth = metrics.horizontalAdvance(text);
        if (textWidth <= box.width() - 1 || textWidth == 0) {
            painter.drawText(box, Qt::AlignCenter, text);
            return;
        }
        const qreal squeeze = qreal(box.width() - 1) / textWidth;
        painter.save();
        painter.translate(box.center().x() + 0.5, box.top());
        painter.scale(squeeze, 1.0);
        painter.drawText(QRectF(-textWidth / 2.0, 0, textWidth, box.height()), Qt::AlignCenter, text);
        painter.restore();
    };
    const auto columnName = [&](int c) {
        return m_book.R1C1ReferenceStyle ? QString::number(c + 1) : ColumnLetters(c);
    };

    if (origin.y() > 0) {
        painter.save();
        painter.setClipRect(QRect(origin.x(), 0, range.Viewport.width() - origin.x(), origin.y()));
        painter.fillRect(QRect(origin.x(), 0, range.Viewport.width() - origin.x(), origin.y()), kHeaderFace);
        for (int c = range.FirstCol; c <= range.LastCol; ++c) {
            const int x = shift.x() + page.ColLeft(c);
            const int w = page.ColWidth(c);
            if (options.ActiveCell && options.ActiveCell->x() == c)
                painter.fillRect(x + 1, 0, w - 1, origin.y() - 1, kHeaderMarked);
            painter.fillRect(x, 0, 1, origin.y(), kHeaderLine);
            drawNumber(QRect(x + 1, 0, w - 1, origin.y() - 1), columnName(c));
        }
        painter.fillRect(origin.x(), origin.y() - 1, range.Viewport.width() - origin.x(), 1, kHeaderLine);
        painter.restore();
    }
    if (origin.x() > 0) {
        painter.save();
        painter.setClipRect(QRect(0, origin.y(), origin.x(), range.Viewport.height() - origin.y()));
        painter.fillRect(QRect(0, origin.y(), origin.x(), range.Viewport.height() - origin.y()), kHeaderFace);
        for (int r = range.FirstRow; r <= range.LastRow; ++r) {
            const int y = shift.y() + page.RowTop(r);
            const int h = page.RowHeight(r);
            if (options.ActiveCell && options.ActiveCell->y() == r)
                painter.fillRect(0, y + 1, origin.x() - 1, h - 1, kHeaderMarked);
            painter.fillRect(0, y, origin.x(), 1, kHeaderLine);
            drawNumber(QRect(0, y + 1, origin.x() - 1, h - 1), QString::number(r + 1));
        }
        painter.fillRect(origin.x() - 1, origin.y(), 1, range.Viewport.height() - origin.y(), kHeaderLine);
        painter.restore();
    }
    if (origin.x() > 0 && origin.y() > 0) {
        painter.fillRect(QRect(0, 0, origin.x(), origin.y()), kHeaderFace);
        painter.fillRect(origin.x() - 1, 0, 1, origin.y(), kHeaderLine);
        painter.fillRect(0, origin.y() - 1, origin.x(), 1, kHeaderLine);
    }
}
