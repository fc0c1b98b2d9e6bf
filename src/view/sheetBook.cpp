#include "view/sheetBook.h"

namespace {

bool ValidCell(int col, int row)
{
    return col >= 0 && row >= 0 && col < MaxSheetLines && row < MaxSheetLines;
}

int PaletteIndexOrNone(int index)
{
    return index >= 0 && index < SheetPaletteSize ? index : NoPaletteColor;
}

// Offsets of lines [0, sizes.size()] from explicit sizes, 0 standing for the default.
void BuildOffsets(const std::vector<int> &sizes, int defaultSize, std::vector<int> &offsets)
{
    offsets.resize(sizes.size() + 1);
    int offset = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        offsets[i] = offset;
        offset += sizes[i] > 0 ? sizes[i] : defaultSize;
    }
    offsets[sizes.size()] = offset;
}

int OffsetOf(const std::vector<int> &offsets, int defaultSize, int line)
{
    const int sized = int(offsets.size()) - 1;
    if (line <= sized)
        return offsets[std::size_t(std::max(line, 0))];
    return offsets.back() + (line - sized) * defaultSize;
}

int LineAt(const std::vector<int> &offsets, int defaultSize, int pixel)
{
    if (pixel < 0)
        return -1;
    const int sized = int(offsets.size()) - 1;
    if (pixel >= offsets.back())
        return sized + (pixel - offsets.back()) / std::max(defaultSize, 1);
    // The last line whose start is at or before the pixel.
    const auto next = std::upper_bound(offsets.begin(), offsets.end(), pixel);
    return int(next - offsets.begin()) - 1;
}

}  // namespace

bool TsheetChanges::Any() const
{
    if (PaletteEntries != 0 || Layout)
        return true;
    return std::any_of(Pages.begin(), Pages.end(), [](const TsheetPageChanges &p) { return p.Any(); });
}

bool TsheetChanges::CellsTouched() const
{
    return std::any_of(Pages.begin(), Pages.end(),
                       [](const TsheetPageChanges &p) { return !p.Cells.isEmpty() || p.Cleared; });
}

// ---- TsheetPage -----------------------------------------------------------------------------

TsheetPage::TsheetPage(TsheetBook &book, int index) : m_book(book), m_index(index) {}

const TsheetCell *TsheetPage::FindCell(int col, int row) const
{
    if (col < 0 || row < 0 || row >= int(m_rows.size()))
        return nullptr;
    const auto &cells = m_rows[std::size_t(row)];
    return col < int(cells.size()) ? &cells[std::size_t(col)] : nullptr;
}

QString TsheetPage::CellText(int col, int row) const
{
    const TsheetCell *cell = FindCell(col, row);
    if (!cell || cell->IsEmpty())
        return {};
    if (cell->IsChar())
        return QString(cell->Char());
    return m_longTexts[cell->Text & ~TsheetCell::LongFlag];
}

TstyleId TsheetPage::CellStyleId(int col, int row) const
{
    const TsheetCell *cell = FindCell(col, row);
    return cell ? cell->Style : TsheetStyleTable::DefaultStyle;
}

const TsheetStyle &TsheetPage::CellStyle(int col, int row) const
{
    return m_book.m_styles.Style(CellStyleId(col, row));
}

TsheetCell &TsheetPage::MakeCell(int col, int row)
{
    if (row >= int(m_rows.size()))
        m_rows.resize(std::size_t(row) + 1);
    auto &cells = m_rows[std::size_t(row)];
    if (col >= int(cells.size())) {
        cells.resize(std::size_t(col) + 1);
        m_colCount = std::max(m_colCount, col + 1);
    }
    return cells[std::size_t(col)];
}

void TsheetPage::Touched(int col, int row)
{
    m_book.CellsTouched(m_index, col, row);
}

void TsheetPage::SetTextRef(TsheetCell &cell, std::uint32_t text)
{
    if (cell.Text & TsheetCell::LongFlag) {
        const std::uint32_t slot = cell.Text & ~TsheetCell::LongFlag;
        m_longTexts[slot].clear();
        m_freeLongTexts.push_back(slot);
    }
    cell.Text = text;
}

void TsheetPage::SetText(int col, int row, const QString &text)
{
    if (text.size() == 1) {
        SetChar(col, row, text.at(0));
        return;
    }
    if (!ValidCell(col, row))
        return;
    TsheetCell &cell = MakeCell(col, row);
    if (text.isEmpty()) {
        SetTextRef(cell, 0);
    } else if (cell.Text & TsheetCell::LongFlag) {
        m_longTexts[cell.Text & ~TsheetCell::LongFlag] = text;
    } else {
        std::uint32_t slot;
        if (!m_freeLongTexts.empty()) {
            slot = m_freeLongTexts.back();
            m_freeLongTexts.pop_back();
            m_longTexts[slot] = text;
        } else {
            slot = std::uint32_t(m_longTexts.size());
            m_longTexts.push_back(text);
        }
        cell.Text = slot | TsheetCell::LongFlag;
    }
    Touched(col, row);
}

void TsheetPage::SetChar(int col, int row, QChar ch)
{
    if (!ValidCell(col, row))
        return;
    TsheetCell &cell = MakeCell(col, row);
    SetTextRef(cell, TsheetCell::CharFlag | ch.unicode());
    Touched(col, row);
}

void TsheetPage::ClearText(int col, int row)
{
    if (!ValidCell(col, row))
        return;
    SetTextRef(MakeCell(col, row), 0);
    Touched(col, row);
}

void TsheetPage::SetStyleId(int col, int row, TstyleId style)
{
    if (!ValidCell(col, row) || style >= TstyleId(m_book.m_styles.Count()))
        return;
    MakeCell(col, row).Style = style;
    Touched(col, row);
}

void TsheetPage::SetStyle(int col, int row, const TsheetStyle &style)
{
    SetStyleId(col, row, m_book.m_styles.Intern(style));
}

void TsheetPage::SetFontName(int col, int row, const QString &fontName)
{
    SetStyleId(col, row, m_book.m_styles.DeriveFontName(CellStyleId(col, row), fontName));
}

void TsheetPage::SetFontSize(int col, int row, int points)
{
    SetStyleId(col, row, m_book.m_styles.Derive(CellStyleId(col, row), TstyleItem::FontSize,
                                                std::clamp(points, 1, 255)));
}

void TsheetPage::SetFontColor(int col, int row, int paletteIndex)
{
    SetStyleId(col, row, m_book.m_styles.Derive(CellStyleId(col, row), TstyleItem::FontColor,
                                                PaletteIndexOrNone(paletteIndex)));
}

void TsheetPage::SetBold(int col, int row, bool bold)
{
    SetStyleId(col, row, m_book.m_styles.Derive(CellStyleId(col, row), TstyleItem::Bold, bold));
}

void TsheetPage::SetFillColor(int col, int row, int paletteIndex)
{
    SetStyleId(col, row, m_book.m_styles.Derive(CellStyleId(col, row), TstyleItem::FillColor,
                                                PaletteIndexOrNone(paletteIndex)));
}

void TsheetPage::SetHorzAlign(int col, int row, ThorzAlign align)
{
    SetStyleId(col, row, m_book.m_styles.Derive(CellStyleId(col, row), TstyleItem::HorzAlign,
                                                int(align)));
}

void TsheetPage::SetVertAlign(int col, int row, TvertAlign align)
{
    SetStyleId(col, row, m_book.m_styles.Derive(CellStyleId(col, row), TstyleItem::VertAlign,
                                                int(align)));
}

void TsheetPage::SetEdge(int col, int row, TcellEdge edge, TedgeStyle style)
{
    const auto item = TstyleItem(int(TstyleItem::EdgeLeft) + int(edge));
    SetStyleId(col, row, m_book.m_styles.Derive(CellStyleId(col, row), item, int(style)));
}

void TsheetPage::Clear()
{
    // Swap with empties so the memory of a big page is given back, not just its contents.
    std::vector<std::vector<TsheetCell>>().swap(m_rows);
    std::vector<QString>().swap(m_longTexts);
    std::vector<std::uint32_t>().swap(m_freeLongTexts);
    std::vector<int>().swap(m_colWidths);
    std::vector<int>().swap(m_rowHeights);
    m_colCount = 0;
    m_offsetsValid = false;
    m_book.PageCleared(m_index);
}

int TsheetPage::ColWidth(int col) const
{
    if (col >= 0 && col < int(m_colWidths.size()) && m_colWidths[std::size_t(col)] > 0)
        return m_colWidths[std::size_t(col)];
    return m_book.DefaultColWidth();
}

int TsheetPage::RowHeight(int row) const
{
    if (row >= 0 && row < int(m_rowHeights.size()) && m_rowHeights[std::size_t(row)] > 0)
        return m_rowHeights[std::size_t(row)];
    return m_book.DefaultRowHeight();
}

bool TsheetPage::HasColWidth(int col) const
{
    return col >= 0 && col < int(m_colWidths.size()) && m_colWidths[std::size_t(col)] > 0;
}

void TsheetPage::SetColWidth(int col, int width)
{
    if (col < 0 || col >= MaxSheetLines)
        return;
    width = std::clamp(width, 1, 4096);
    if (col >= int(m_colWidths.size()))
        m_colWidths.resize(std::size_t(col) + 1, 0);
    if (m_colWidths[std::size_t(col)] == width)
        return;
    m_colWidths[std::size_t(col)] = width;
    Relayout();
}

void TsheetPage::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= MaxSheetLines)
        return;
    height = std::clamp(height, 1, 4096);
    if (row >= int(m_rowHeights.size()))
        m_rowHeights.resize(std::size_t(row) + 1, 0);
    if (m_rowHeights[std::size_t(row)] == height)
        return;
    m_rowHeights[std::size_t(row)] = height;
    Relayout();
}

void TsheetPage::Relayout()
{
    m_offsetsValid = false;
    m_book.PageLayoutChanged(m_index);
}

void TsheetPage::EnsureOffsets() const
{
    if (m_offsetsValid)
        return;
    BuildOffsets(m_colWidths, m_book.DefaultColWidth(), m_colLefts);
    BuildOffsets(m_rowHeights, m_book.DefaultRowHeight(), m_rowTops);
    m_offsetsValid = true;
}

int TsheetPage::ColLeft(int col) const
{
    EnsureOffsets();
    return OffsetOf(m_colLefts, m_book.DefaultColWidth(), col);
}

int TsheetPage::RowTop(int row) const
{
    EnsureOffsets();
    return OffsetOf(m_rowTops, m_book.DefaultRowHeight(), row);
}

int TsheetPage::ColAt(int x) const
{
    EnsureOffsets();
    return LineAt(m_colLefts, m_book.DefaultColWidth(), x);
}

int TsheetPage::RowAt(int y) const
{
    EnsureOffsets();
    return LineAt(m_rowTops, m_book.DefaultRowHeight(), y);
}

void TsheetPage::SetActiveCell(int col, int row)
{
    const QPoint cell(std::clamp(col, 0, MaxSheetLines - 1), std::clamp(row, 0, MaxSheetLines - 1));
    if (cell == m_activeCell)
        return;
    m_activeCell = cell;
    emit m_book.ActiveCellChanged(m_index, cell);
}

// ---- TsheetBook -----------------------------------------------------------------------------

TsheetBook::TsheetBook(int pageCount, QObject *parent)
    : QObject(parent), m_palette(DefaultSheetPalette())
{
    for (int i = 0; i < std::max(pageCount, 1); ++i)
        m_pages.push_back(std::make_unique<TsheetPage>(*this, i));
    m_pending.Pages.resize(m_pages.size());
}

TsheetBook::~TsheetBook() = default;

TsheetPage &TsheetBook::Page(int index)
{
    return *m_pages.at(std::size_t(index));
}

const TsheetPage &TsheetBook::Page(int index) const
{
    return *m_pages.at(std::size_t(index));
}

void TsheetBook::SetPaletteEntry(int index, TpackedColor color)
{
    if (index < 0 || index >= SheetPaletteSize)
        return;
    color &= 0xFFFFFF;
    if (m_palette[std::size_t(index)] == color)
        return;
    m_palette[std::size_t(index)] = color;
    m_pending.PaletteEntries |= std::uint64_t(1) << index;
    Flush();
}

void TsheetBook::BeginUpdate()
{
    ++m_updateDepth;
}

void TsheetBook::EndUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0)
        Flush();
}

void TsheetBook::Flush()
{
    if (m_updateDepth > 0 || !m_pending.Any())
        return;
    TsheetChanges changes = std::move(m_pending);
    m_pending = TsheetChanges{};
    m_pending.Pages.resize(m_pages.size());
    emit Changed(changes);
}

void TsheetBook::CellsTouched(int page, int col, int row)
{
    QRect &cells = m_pending.Pages[std::size_t(page)].Cells;
    if (cells.isEmpty()) {
        cells = QRect(col, row, 1, 1);
    } else {
        // Cheaper than QRect::united for the one-cell case that bulk fills hit a million times.
        if (col < cells.left())
            cells.setLeft(col);
        else if (col > cells.right())
            cells.setRight(col);
        if (row < cells.top())
            cells.setTop(row);
        else if (row > cells.bottom())
            cells.setBottom(row);
    }
    Flush();
}

void TsheetBook::PageCleared(int page)
{
    m_pending.Pages[std::size_t(page)].Cleared = true;
    Flush();
}

void TsheetBook::PageLayoutChanged(int page)
{
    m_pending.Pages[std::size_t(page)].Layout = true;
    Flush();
}

void TsheetBook::BookLayoutChanged()
{
    for (auto &page : m_pages)
        page->m_offsetsValid = false;
    m_pending.Layout = true;
    Flush();
}

void TsheetBook::SetActivePage(int index)
{
    if (index < 0 || index >= PageCount() || index == m_activePage)
        return;
    m_activePage = index;
    BookLayoutChanged();
}

void TsheetBook::SetLayoutSize(int &size, int value, int least)
{
    value = std::clamp(value, least, 4096);
    if (value == size)
        return;
    size = value;
    BookLayoutChanged();
}

void TsheetBook::SetDefaultColWidth(int width)
{
    SetLayoutSize(m_defaultColWidth, width, 1);
}

void TsheetBook::SetDefaultRowHeight(int height)
{
    SetLayoutSize(m_defaultRowHeight, height, 1);
}

void TsheetBook::SetRowHeaderWidth(int width)
{
    SetLayoutSize(m_rowHeaderWidth, width, 0);
}

void TsheetBook::SetColHeaderHeight(int height)
{
    SetLayoutSize(m_colHeaderHeight, height, 0);
}
