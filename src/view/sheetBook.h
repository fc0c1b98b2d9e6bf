#pragma once
// The sheet book: the spreadsheet-like model behind the scheme view, its printing and its
// export. A book has pages of cells addressed by column and row from 0, made on first use, each
// with an interned style and a text; widths per column and heights per row with book-wide
// defaults; a 56-entry palette the cell colours index into; and update brackets that gather the
// changes of bulk work into one notification at the outermost end.
#include "view/sheetPalette.h"
#include "view/sheetStyle.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

class TsheetBook;

// Cells beyond this column or row are refused: no page needs them, and a wrong index must not
// make a page allocate gigabytes.
inline constexpr int MaxSheetLines = 1 << 16;

// A cell is a style number and a text reference: 8 bytes. A one-character text lives in the cell
// itself; longer texts (a few in the colours table) are kept by the page and referred to.
struct TsheetCell {
    TstyleId Style = TsheetStyleTable::DefaultStyle;
    std::uint32_t Text = 0;  // 0: empty; bit 16 set: one character in the low 16 bits; bit 31 set:
                             // index of a long text of the page in the low 31 bits

    static constexpr std::uint32_t CharFlag = 0x10000u;
    static constexpr std::uint32_t LongFlag = 0x80000000u;

    bool IsEmpty() const { return Text == 0; }
    bool IsChar() const { return (Text & (CharFlag | LongFlag)) == CharFlag; }
    QChar Char() const { return QChar(char16_t(Text & 0xFFFF)); }
};
static_assert(sizeof(TsheetCell) <= 16, "a page of a million cells must stay small");

// What changed since the last notification, per page and for the book as a whole.
struct TsheetPageChanges {
    QRect Cells;          // columns x rows whose text or style was written (empty: none)
    bool Layout = false;  // a column width or row height changed
    bool Cleared = false; // all cells of the page were removed
    bool Any() const { return !Cells.isEmpty() || Layout || Cleared; }
};

struct TsheetChanges {
    std::vector<TsheetPageChanges> Pages;
    std::uint64_t PaletteEntries = 0;  // bit i: entry i took a new value
    bool Layout = false;               // default sizes, header sizes or the shown page changed

    bool Any() const;
    bool CellsTouched() const;
};

// One page of the book: rows of cells made on first use, the long texts they refer to, the sizes of
// the columns and rows that differ from the book's defaults, and the page's active cell.
class TsheetPage {
public:
    TsheetPage(TsheetBook &book, int index);

    int Index() const { return m_index; }

    // The cell, or none when it has not been made yet (an unmade cell is empty with style 0).
    const TsheetCell *FindCell(int col, int row) const;
    // The setters make the cell on first use and notify; reading an unmade cell gives the defaults.
    QString CellText(int col, int row) const;
    TstyleId CellStyleId(int col, int row) const;
    // Valid until the next new style is interned (a setter with a look not seen before).
    const TsheetStyle &CellStyle(int col, int row) const;

    void SetText(int col, int row, const QString &text);
    // One-character text without a heap allocation: bulk fills of symbols use this.
    void SetChar(int col, int row, QChar ch);
    void ClearText(int col, int row);
    void SetStyle(int col, int row, const TsheetStyle &style);
    void SetStyleId(int col, int row, TstyleId style);
    void SetFontName(int col, int row, const QString &fontName);
    void SetFontSize(int col, int row, int points);
    void SetFontColor(int col, int row, int paletteIndex);
    void SetBold(int col, int row, bool bold);
    void SetFillColor(int col, int row, int paletteIndex);
    void SetHorzAlign(int col, int row, ThorzAlign align);
    void SetVertAlign(int col, int row, TvertAlign align);
    void SetEdge(int col, int row, TcellEdge edge, TedgeStyle style);

    // Removes every cell with its text and style, and returns columns and rows to the default
    // sizes, so a smaller scheme laid out next leaves no trace of a bigger one.
    void Clear();

    int ColWidth(int col) const;
    int RowHeight(int row) const;
    void SetColWidth(int col, int width);
    void SetRowHeight(int row, int height);
    bool HasColWidth(int col) const;

    // Columns and rows in use: made cells and lines with a size of their own.
    int ColCount() const { return std::max(m_colCount, int(m_colWidths.size())); }
    int RowCount() const { return std::max(int(m_rows.size()), int(m_rowHeights.size())); }

    // Pixel offset of a column's left side (row's top side) from the first column (row); past the
    // used lines the default sizes continue. ColAt/RowAt give the line holding a pixel offset.
    int ColLeft(int col) const;
    int RowTop(int row) const;
    int ColAt(int x) const;
    int RowAt(int y) const;

    QPoint ActiveCell() const { return m_activeCell; }  // x column, y row
    void SetActiveCell(int col, int row);

private:
    friend class TsheetBook;
    TsheetCell &MakeCell(int col, int row);
    void Touched(int col, int row);
    void Relayout();
    void SetTextRef(TsheetCell &cell, std::uint32_t text);
    void EnsureOffsets() const;

    TsheetBook &m_book;
    int m_index;
    std::vector<std::vector<TsheetCell>> m_rows;
    int m_colCount = 0;
    std::vector<QString> m_longTexts;
    std::vector<std::uint32_t> m_freeLongTexts;
    std::vector<int> m_colWidths;   // 0: default
    std::vector<int> m_rowHeights;  // 0: default
    mutable std::vector<int> m_colLefts;  // prefix sums over ColCount() + 1 lines
    mutable std::vector<int> m_rowTops;
    mutable bool m_offsetsValid = false;
    QPoint m_activeCell;
};

class TsheetBook : public QObject {
    Q_OBJECT
public:
    explicit TsheetBook(int pageCount = 2, QObject *parent = nullptr);
    ~TsheetBook() override;

    int PageCount() const { return int(m_pages.size()); }
    TsheetPage &Page(int index);
    const TsheetPage &Page(int index) const;

    TsheetStyleTable &Styles() { return m_styles; }
    const TsheetStyleTable &Styles() const { return m_styles; }

    TpackedColor PaletteEntry(int index) const { return m_palette[std::size_t(index)]; }
    void SetPaletteEntry(int index, TpackedColor color);
    const TsheetPaletteEntries &Palette() const { return m_palette; }

    // Brackets nest; nothing is announced before the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return m_updateDepth > 0; }

    int ActivePage() const { return m_activePage; }
    void SetActivePage(int index);
    TsheetPage &ShownPage() { return Page(m_activePage); }

    int DefaultColWidth() const { return m_defaultColWidth; }
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    int ColHeaderHeight() const { return m_colHeaderHeight; }
    int RowHeaderWidth() const { return m_rowHeaderWidth; }
    void SetDefaultColWidth(int width);
    void SetDefaultRowHeight(int height);
    void SetRowHeaderWidth(int width);
    void SetColHeaderHeight(int height);

    // How the grid shows the book; kept here so printing and the screen read the same settings.
    QString HeaderFontName = QStringLiteral("Arial Narrow");
    int HeaderFontPixels = 9;
    bool R1C1ReferenceStyle = true;
    bool ShowCaptionBar = false;

signals:
    // The changes of one write, or of a whole bracket at its outermost end.
    void Changed(const TsheetChanges &changes);
    void ActiveCellChanged(int page, QPoint cell);

private:
    friend class TsheetPage;
    void CellsTouched(int page, int col, int row);
    void PageCleared(int page);
    void PageLayoutChanged(int page);
    void BookLayoutChanged();
    // Sets a book-wide size, held within least..4096, and reports a real change.
    void SetLayoutSize(int &size, int value, int least);
    void Flush();

    std::vector<std::unique_ptr<TsheetPage>> m_pages;
    TsheetStyleTable m_styles;
    TsheetPaletteEntries m_palette;
    int m_updateDepth = 0;
    TsheetChanges m_pending;
    int m_activePage = 0;
    int m_defaultColWidth = 14;
    int m_defaultRowHeight = 14;
    int m_colHeaderHeight = 14;
    int m_rowHeaderWidth = 14;
};

// Holds an update bracket of a book for a scope, so the bracket is closed also when the work
// inside it throws.
class TsheetUpdateBracket {
public:
    explicit TsheetUpdateBracket(TsheetBook &book) : m_book(book) { m_book.BeginUpdate(); }
    ~TsheetUpdateBracket() { m_book.EndUpdate(); }
    TsheetUpdateBracket(const TsheetUpdateBracket &) = delete;
    TsheetUpdateBracket &operator=(const TsheetUpdateBracket &) = delete;

private:
    TsheetBook &m_book;
};
