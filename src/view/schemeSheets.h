#pragma once
// What the program writes into the sheet book: the scheme page (one cell per stitch with its
// borders, symbol font, symbol and fill) and the colours table page, and the palette of the
// current view mode. The view modes work through the palette: scheme colour k is filled from
// entry k + 5 and symbols take entry 2 (on light colours) or 3 (on dark ones), so switching
// between the views that show symbols rewrites palette entries and no cell.
#include "view/sheetBook.h"

#include <QString>
#include <functional>

class TschemeDocument;
class TcolorsKitList;

// The four view actions' values, in their menu order.
enum class TviewMode { SymbolsOnly, HalfTone, SymbolsAndColors, ColorsOnly };

bool ViewShowsSymbols(TviewMode mode);

class TschemeSheets {
public:
    static constexpr int SchemePage = 0;
    static constexpr int ColorsTablePage = 1;
    static constexpr int FirstColorEntry = 5;
    // Entries 5..55 hold the scheme colours, so only colours 0..50 have an entry of their own.
    static constexpr int PaletteColorCount = SheetPaletteSize - FirstColorEntry;
    static constexpr int LightSymbolEntry = 2;
    static constexpr int DarkSymbolEntry = 3;
    static constexpr int SchemeCellSize = 14;
    static constexpr int TableRowHeight = 18;

    TschemeSheets(TsheetBook &book, TschemeDocument &document, TcolorsKitList &kitList);

    TviewMode ViewMode = TviewMode::HalfTone;
    // The kit name the colours table ends with: the text of the status bar's kit panel. Without
    // a main window it is the document's kit name.
    std::function<QString()> ShownKitName;

    TsheetBook &Book() { return m_book; }

    // The palette entry that fills the cells of scheme colour k. A scheme with more than 51
    // colours can only come from a file made elsewhere; its colours from index 51 on have no entry
    // and are drawn in one fixed way in every view: white fill (entry 1) with a black symbol
    // (entry 2), so their symbols stay readable and no entry beyond 55 is ever written.
    static int ColorEntry(int colorIndex);

    void RefreshSheets(bool full);
    void SetViewPalette();
    void FormatSchemeCells();
    void FillSchemeCells();
    void FillColorsTable(bool full);
    // The table cell style on a cell of the colours table page, over what the cell has.
    void FormatTableCell(int col, int row);
    // All cells of both pages, as a new scheme or a cancelled one leaves them.
    void ClearSheets();

private:
    TsheetBook &m_book;
    TschemeDocument &m_document;
    TcolorsKitList &m_kitList;
};
