#include "output/workbookExportSource.h"
#include "common/ansiText.h"

#include "common/symbolChars.h"
#include "document/colorsKitList.h"
#include "document/schemeDocument.h"
#include "view/sheetBook.h"


TworkbookViewMode WorkbookViewMode(TviewMode mode)
{
    switch (mode) {
    case TviewMode::SymbolsOnly: return TworkbookViewMode::SymbolsOnly;
    case TviewMode::HalfTone: return TworkbookViewMode::HalfTone;
    case TviewMode::SymbolsAndColors: return TworkbookViewMode::SymbolsAndColors;
    case TviewMode::ColorsOnly: return TworkbookViewMode::ColorsOnly;
    }
    return TworkbookViewMode::HalfTone;
}

TworkbookExportSource WorkbookExportSource(const TschemeDocument &document, const TcolorsKitList &kitList,
                                           const TsheetBook &book, TviewMode mode)
{
    const TindexBitmap *scheme = document.SchemeBitmap.get();
    if (!scheme)
        throw EKanvoError(QStringLiteral("There is no cross-stitch scheme to export"));
    TworkbookExportSource source;
    source.Width = scheme->Width;
    source.Height = scheme->Height;
    source.Pixels = scheme->Indices;
    for (int k = 0; k < scheme->ColorCount(); ++k) {
        TcountColor color = scheme->GetColor(k);  // IsDark clamps the copy in place
        source.Colors.push_back({SymbolText(color.Symbol), color.IsDark()});
    }
    source.SymbolFontName = document.SymbolFontName;
    source.KitName = document.KitName;
    for (int row = 0; row < kitList.RowCount(); ++row) {
        const TcolorsKitRow &kit = kitList.Row(row);
        source.KitRows.push_back({kit.Num, SymbolText(kit.Symbol), FromAnsi(kit.Thread), kit.Count});
    }
    for (int i = 0; i < 56; ++i)
        source.SheetPalette[std::size_t(i)] = book.PaletteEntry(i);
    source.ViewMode = WorkbookViewMode(mode);
    return source;
}
