#include "view/schemeSheets.h"

#include "common/symbolChars.h"
#include "document/colorsKitList.h"
#include "document/schemeDocument.h"
#include "view/busyCursor.h"

#include <QStringDecoder>
#include <vector>

namespace {

const QString kTableFont = QStringLiteral("Verdana");
constexpr int kTableFontSize = 10;
constexpr int kSchemeFontSize = 8;
constexpr int kTableColumnWidths[] = {32, 64, 64, 64, 80};

QString ThreadText(const QByteArray &thread)
{
    QStringDecoder decoder("windows-1251");
    return decoder.isValid() ? QString(decoder(thread)) : QString::fromLatin1(thread);
}

// Memo of "this style with that item changed" for one bulk pass: the pass meets a handful of
// old styles and a handful of new values, so a dense table beats hashing a million times.
class TstyleMemo {
public:
    TstyleMemo(int styleCount, int valueCount)
        : m_valueCount(valueCount), m_ids(std::size_t(styleCount) * std::size_t(valueCount), kNone)
    {
    }
    template <typename Make>
    TstyleId Get(TstyleId base, int value, Make make)
    {
        if (base >= TstyleId(m_ids.size() / std::size_t(m_valueCount)))
            return make();
        TstyleId &id = m_ids[std::size_t(base) * std::size_t(m_valueCount) + std::size_t(value)];
        if (id == kNone)
            id = make();
        return id;
    }

private:
    static constexpr TstyleId kNone = ~TstyleId(0);
    int m_valueCount;
    std::vector<TstyleId> m_ids;
};

}  // namespace

bool ViewShowsSymbols(TviewMode mode)
{
    return mode != TviewMode::ColorsOnly;
}

TschemeSheets::TschemeSheets(TsheetBook &book, TschemeDocument &document, TcolorsKitList &kitList)
    : m_book(book), m_document(document), m_kitList(kitList)
{
}

int TschemeSheets::ColorEntry(int colorIndex)
{
    return colorIndex >= 0 && colorIndex < PaletteColorCount ? colorIndex + FirstColorEntry : 1;
}

void TschemeSheets::RefreshSheets(bool full)
{
    TbusyCursor busy;
    // A flag set while the wizard holds a picture but no raster yet is no scheme to show.
    if (m_document.SchemeLoaded && m_document.SchemeBitmap) {
        const bool symbolsChange = ViewShowsSymbols(ViewMode) != m_document.SymbolsShown;
        TsheetUpdateBracket bracket(m_book);
        if (full)
            m_book.Page(SchemePage).Clear();
        SetViewPalette();
        if (full)
            FormatSchemeCells();
        if (full || symbolsChange || m_document.SymbolsStale)
            FillSchemeCells();
        if (full)
            FillColorsTable(true);
    }
    // Cleared only when the refresh went through: after a failure the symbols may still be the
    // old ones, and the next refresh must rewrite them.
    m_document.SymbolsStale = false;
}

void TschemeSheets::SetViewPalette()
{
    const TindexBitmap *scheme = m_document.SchemeBitmap.get();
    if (scheme) {
        const int count = std::min(scheme->ColorCount(), PaletteColorCount);
        for (int k = 0; k < count; ++k) {
            TcountColor color = scheme->GetColor(k);  // the colour methods clamp in place
            TpackedColor view = 0;
            switch (ViewMode) {
            case TviewMode::SymbolsOnly: view = m_book.PaletteEntry(1); break;
            case TviewMode::HalfTone: view = color.HalfToneColor(); break;
            case TviewMode::SymbolsAndColors:
            case TviewMode::ColorsOnly: view = color.ToColor(); break;
            }
            m_book.SetPaletteEntry(k + FirstColorEntry, view);
        }
    }
    m_book.SetPaletteEntry(LightSymbolEntry, m_book.PaletteEntry(0));
    const bool darkOnWhite = ViewMode == TviewMode::SymbolsOnly || ViewMode == TviewMode::HalfTone;
    m_book.SetPaletteEntry(DarkSymbolEntry, m_book.PaletteEntry(darkOnWhite ? 0 : 1));
}

void TschemeSheets::FormatSchemeCells()
{
    const TindexBitmap *scheme = m_document.SchemeBitmap.get();
    if (!scheme)
        return;
    TsheetPage &page = m_book.Page(SchemePage);
    TsheetStyleTable &styles = m_book.Styles();
    const int width = scheme->Width;
    const int height = scheme->Height;

    std::vector<bool> dark(std::size_t(std::max(scheme->ColorCount(), 0)));
    for (int k = 0; k < scheme->ColorCount(); ++k) {
        TcountColor color = scheme->GetColor(k);
        // Colours without a palette entry are drawn on white, where only a black symbol reads.
        dark[std::size_t(k)] = k < PaletteColorCount && color.IsDark();
    }

    // The new style depends on the old one, the four edge weights and the font colour: 32 values.
    TstyleMemo memo(styles.Count(), 32);
    for (int r = 0; r < height; ++r) {
        const bool topMedium = r % 10 == 0;
        const bool bottomMedium = r % 10 == 9 || r == height - 1;
        for (int c = 0; c < width; ++c) {
            const bool leftMedium = c % 10 == 0;
            const bool rightMedium = c % 10 == 9 || c == width - 1;
            const int k = scheme->GetPixel(r, c);
            const bool isDark = k >= 0 && k < int(dark.size()) && dark[std::size_t(k)];
            const int key = int(leftMedium) | int(topMedium) << 1 | int(rightMedium) << 2
                            | int(bottomMedium) << 3 | int(isDark) << 4;
            const TstyleId base = page.CellStyleId(c, r);
            const TstyleId id = memo.Get(base, key, [&] {
                TsheetStyle style = styles.Style(base);
                const auto weight = [](bool medium) {
                    return medium ? TedgeStyle::Medium : TedgeStyle::Thin;
                };
                style.SetEdge(TcellEdge::Left, weight(leftMedium));
                style.SetEdge(TcellEdge::Top, weight(topMedium));
                style.SetEdge(TcellEdge::Right, weight(rightMedium));
                style.SetEdge(TcellEdge::Bottom, weight(bottomMedium));
                style.FontName = m_document.SymbolFontName;
                style.FontSize = kSchemeFontSize;
                style.FontColor = isDark ? DarkSymbolEntry : LightSymbolEntry;
                style.HorzAlign = ThorzAlign::Center;
                style.VertAlign = TvertAlign::Center;
                return styles.Intern(style);
            });
            page.SetStyleId(c, r, id);
        }
        page.SetRowHeight(r, SchemeCellSize);
    }
}

void TschemeSheets::FillSchemeCells()
{
    const TindexBitmap *scheme = m_document.SchemeBitmap.get();
    if (!scheme)
        return;
    TsheetPage &page = m_book.Page(SchemePage);
    TsheetStyleTable &styles = m_book.Styles();
    const int colorCount = std::max(scheme->ColorCount(), 0);

    // The symbol each colour shows, or a null character when it shows none: a colour shows its
    // symbol when it has stitches and its kit row is visible.
    const bool symbols = ViewShowsSymbols(ViewMode);
    std::vector<QChar> shown(static_cast<std::size_t>(colorCount));
    if (symbols) {
        for (int row = 0; row < m_kitList.RowCount(); ++row) {
            const TcolorsKitRow &kit = m_kitList.Row(row);
            if (kit.Num >= 0 && kit.Num < colorCount && kit.Visible
                && scheme->GetColor(kit.Num).Count > 0)
                shown[std::size_t(kit.Num)] = SymbolChar(scheme->GetColor(kit.Num).Symbol);
        }
    }

    TstyleMemo memo(styles.Count(), SheetPaletteSize + 1);
    for (int r = 0; r < scheme->Height; ++r) {
        for (int c = 0; c < scheme->Width; ++c) {
            const int k = scheme->GetPixel(r, c);
            const bool valid = k >= 0 && k < colorCount;
            const QChar symbol = valid ? shown[std::size_t(k)] : QChar();
            if (symbol.isNull())
                page.ClearText(c, r);
            else
                page.SetChar(c, r, symbol);
            // A raster index outside the colour list (a damaged file) gets no fill at all.
            const int fill = valid ? ColorEntry(k) : SheetPaletteSize;
            const TstyleId base = page.CellStyleId(c, r);
            page.SetStyleId(c, r, memo.Get(base, fill, [&] {
                return styles.Derive(base, TstyleItem::FillColor,
                                     fill < SheetPaletteSize ? fill : NoPaletteColor);
            }));
        }
        page.SetRowHeight(r, SchemeCellSize);
    }
    m_document.SymbolsShown = symbols;
}

void TschemeSheets::FormatTableCell(int col, int row)
{
    TsheetPage &page = m_book.Page(ColorsTablePage);
    TsheetStyle style = page.CellStyle(col, row);
    for (TcellEdge edge : {TcellEdge::Left, TcellEdge::Top, TcellEdge::Right, TcellEdge::Bottom})
        style.SetEdge(edge, TedgeStyle::Thin);
    style.FontName = kTableFont;
    style.FontSize = kTableFontSize;
    style.FontColor = LightSymbolEntry;
    style.HorzAlign = ThorzAlign::Center;
    style.VertAlign = TvertAlign::Center;
    page.SetStyle(col, row, style);
}

void TschemeSheets::FillColorsTable(bool full)
{
    TsheetUpdateBracket bracket(m_book);
    TsheetPage &page = m_book.Page(ColorsTablePage);
    if (full) {
        page.Clear();
        const QString headers[] = {QStringLiteral("#"), QStringLiteral("Symbol"),
                                   QStringLiteral("Color"), QStringLiteral("Thread"),
                                   QStringLiteral("Stitches")};
        for (int col = 0; col < 5; ++col) {
            page.SetText(col, 0, headers[col]);
            FormatTableCell(col, 0);
            page.SetColWidth(col, kTableColumnWidths[col]);
        }
        page.SetRowHeight(0, TableRowHeight);
    }

    const int rows = m_kitList.RowCount();
    for (int i = 0; i < rows; ++i) {
        const TcolorsKitRow &kit = m_kitList.Row(i);
        const int n = i + 1;
        if (full) {
            page.SetText(0, n, QString::number(n));
            FormatTableCell(0, n);
            page.SetChar(1, n, SymbolChar(kit.Symbol));
            FormatTableCell(1, n);
            page.SetFontName(1, n, m_document.SymbolFontName);
            page.SetFillColor(2, n, ColorEntry(kit.Num));
            FormatTableCell(2, n);
            page.SetText(3, n, ThreadText(kit.Thread));
            FormatTableCell(3, n);
            page.SetBold(3, n, true);
            page.SetHorzAlign(3, n, ThorzAlign::Left);
        }
        page.SetText(4, n, QString::number(kit.Count));
        if (full) {
            FormatTableCell(4, n);
            page.SetHorzAlign(4, n, ThorzAlign::Right);
        }
        page.SetRowHeight(n, TableRowHeight);
    }

    if (full) {
        const QString kitName = ShownKitName ? ShownKitName() : m_document.KitName;
        page.SetText(0, rows + 1, QLatin1Char('(') + kitName + QLatin1Char(')'));
        TsheetStyle style;
        style.FontName = kTableFont;
        style.FontSize = kTableFontSize;
        style.FontColor = LightSymbolEntry;
        page.SetStyle(0, rows + 1, style);
        page.SetRowHeight(rows + 1, TableRowHeight);
    }
    // Walking the rows leaves the last one current: after a refresh the last colour is the
    // drawing colour.
    if (rows > 0)
        m_kitList.SetCurrentRow(rows - 1);
}

void TschemeSheets::ClearSheets()
{
    TsheetUpdateBracket bracket(m_book);
    m_book.Page(SchemePage).Clear();
    m_book.Page(ColorsTablePage).Clear();
}
