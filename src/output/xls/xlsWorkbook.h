#pragma once
// The in-memory workbook that the spreadsheet server builds and the .xls writer stores: sheets of
// cells (a value and a format id each), row heights, column widths, print titles and orientation,
// and the workbook's 56-colour palette, fonts, cell formats and strings. Formats and fonts are
// interned, so a cell costs a few bytes whatever its look, and the file gets one XF record per
// distinct format, as the format expects.
#include "colour/rgbColors.h"

#include <QHash>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

inline constexpr int XlsMaxRows = 65536;
inline constexpr int XlsMaxColumns = 256;
inline constexpr int XlsPaletteSize = 56;
// Colour index numbers as the file stores them: palette position i (1..56) is index i + 7.
inline constexpr std::uint8_t XlsFirstPaletteIndex = 8;
inline constexpr std::uint8_t XlsAutomaticLineColor = 64;
inline constexpr std::uint16_t XlsAutomaticFontColor = 0x7FFF;
// Excel refuses more distinct cell formats than this in one workbook.
inline constexpr int XlsMaxCellFormats = 4000;

// Line styles of cell borders as the file stores them.
enum TxlsLineStyle : std::uint8_t {
    XlsLineNone = 0, XlsLineThin = 1, XlsLineMedium = 2, XlsLineDashed = 3, XlsLineDotted = 4,
    XlsLineThick = 5, XlsLineDouble = 6, XlsLineHair = 7
};

enum TxlsSide { XlsLeft = 0, XlsTop = 1, XlsRight = 2, XlsBottom = 3 };

struct TxlsFont {
    QString Name = QStringLiteral("Arial");
    std::uint16_t Height = 200;  // twips (1/20 point)
    bool Bold = false;
    bool Italic = false;
    std::uint16_t Color = XlsAutomaticFontColor;
    bool operator==(const TxlsFont &) const = default;
};

struct TxlsLine {
    std::uint8_t Style = XlsLineNone;
    std::uint8_t Color = 0;
    bool operator==(const TxlsLine &) const = default;
};

// Horizontal: 0 general, 1 left, 2 centre, 3 right, 4 fill, 5 justify, 6 centre across, 7
// distributed. Vertical: 0 top, 1 centre, 2 bottom, 3 justify, 4 distributed. Rotation: 0..90
// anticlockwise, 91..180 clockwise (minus 90), 255 stacked. Fill: 0 none, else a colour index.
struct TxlsCellFormat {
    std::uint16_t Font = 0;
    std::uint8_t HAlign = 0;
    std::uint8_t VAlign = 2;
    std::uint8_t Rotation = 0;
    std::uint8_t Fill = 0;
    std::array<TxlsLine, 4> Lines{};
    bool operator==(const TxlsCellFormat &) const = default;
};

struct TxlsCellFormatHash {
    std::size_t operator()(const TxlsCellFormat &format) const noexcept;
};

// The interned fonts and cell formats of a workbook; id 0 of each is the workbook default.
class TxlsStyles {
public:
    TxlsStyles();

    std::uint16_t InternFont(const TxlsFont &font);
    const TxlsFont &Font(std::uint16_t id) const { return m_fonts[id]; }
    int FontCount() const { return int(m_fonts.size()); }

    std::uint32_t InternFormat(const TxlsCellFormat &format);
    const TxlsCellFormat &Format(std::uint32_t id) const { return m_formats[id]; }
    int FormatCount() const { return int(m_formats.size()); }

private:
    std::vector<TxlsFont> m_fonts;
    std::vector<TxlsCellFormat> m_formats;
    std::unordered_map<TxlsCellFormat, std::uint32_t, TxlsCellFormatHash> m_formatIds;
};

// The workbook's strings; cells hold their ids.
class TxlsStrings {
public:
    std::uint32_t Intern(const QString &text);
    const QString &Text(std::uint32_t id) const { return m_texts[id]; }
    int Count() const { return int(m_texts.size()); }

private:
    std::vector<QString> m_texts;
    QHash<QString, std::uint32_t> m_ids;
};

enum class TxlsCellKind : std::uint8_t { Empty, Text, Integer };

struct TxlsCell {
    std::uint32_t Format = 0;
    std::int32_t Value = 0;  // string id for Text, the number for Integer
    TxlsCellKind Kind = TxlsCellKind::Empty;
    bool IsBlankDefault() const { return Kind == TxlsCellKind::Empty && Format == 0; }
};

// A rectangle of cells, 0-based, first and last inclusive.
struct TxlsRect {
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t Bottom = 0;
    std::int32_t Right = 0;
    std::int32_t Height() const { return Bottom - Top + 1; }
    std::int32_t Width() const { return Right - Left + 1; }
};

class TxlsSheet {
public:
    explicit TxlsSheet(QString name) : Name(std::move(name)) {}

    QString Name;
    // Rows and columns (0-based, first and last) repeated on every printed page.
    std::optional<std::pair<int, int>> TitleRows;
    std::optional<std::pair<int, int>> TitleColumns;
    bool Landscape = false;

    // The cell, made on first use; row and col must lie within the sheet's limits.
    TxlsCell &Cell(int row, int col);
    // Rows made so far (some may hold only empty cells); nullptr for a row never touched.
    int RowSlots() const { return int(m_rows.size()); }
    const std::vector<TxlsCell> *Row(int row) const
    {
        return row < int(m_rows.size()) && !m_rows[std::size_t(row)].empty() ? &m_rows[std::size_t(row)] : nullptr;
    }

    // Heights in twips and widths in 1/256 of a character; 0 keeps the default.
    void SetRowHeight(int row, std::uint16_t twips);
    std::uint16_t RowHeight(int row) const
    {
        return row < int(m_rowHeights.size()) ? m_rowHeights[std::size_t(row)] : 0;
    }
    int RowHeightSlots() const { return int(m_rowHeights.size()); }
    void SetColumnWidth(int col, std::uint16_t units) { m_columnWidths[std::size_t(col)] = units; }
    std::uint16_t ColumnWidth(int col) const { return m_columnWidths[std::size_t(col)]; }

    // Rewrites the format of every cell of the rectangle through change(TxlsCellFormat &). Each
    // distinct old format is changed and interned once, so a large range costs a lookup a cell.
    // With onlyExisting, cells that hold neither a value nor a format are left as they are.
    template <class TChange>
    void ChangeFormats(const TxlsRect &rect, TxlsStyles &styles, TChange change, bool onlyExisting = false)
    {
        std::vector<std::uint32_t> changed(std::size_t(styles.FormatCount()), 0);  // new id + 1
        for (int row = rect.Top; row <= rect.Bottom; ++row) {
            if (onlyExisting && !Row(row))
                continue;
            TxlsCell *cells = &Cell(row, rect.Left);
            for (int col = 0; col < rect.Width(); ++col) {
                TxlsCell &cell = cells[col];
                if (onlyExisting && cell.IsBlankDefault())
                    continue;
                if (cell.Format >= changed.size())
                    changed.resize(std::size_t(cell.Format) + 1, 0);
                std::uint32_t &to = changed[cell.Format];
                if (to == 0) {
                    TxlsCellFormat format = styles.Format(cell.Format);
                    change(format);
                    to = styles.InternFormat(format) + 1;
                }
                cell.Format = to - 1;
            }
        }
    }

private:
    std::vector<std::vector<TxlsCell>> m_rows;
    std::vector<std::uint16_t> m_rowHeights;
    std::array<std::uint16_t, XlsMaxColumns> m_columnWidths{};
};

class TxlsWorkbook {
public:
    TxlsWorkbook();

    // Packed colours (0x00BBGGRR) of palette positions 1..56, stored from 0.
    std::array<TpackedColor, XlsPaletteSize> Palette;
    TxlsStyles Styles;
    TxlsStrings Strings;
    std::vector<std::unique_ptr<TxlsSheet>> Sheets;
    int ActiveSheet = 0;
    bool ReadOnlyRecommended = false;

    // The palette a new workbook starts with.
    static const std::array<TpackedColor, XlsPaletteSize> &DefaultPalette();
    // The colour index (8..63) of the palette entry nearest to color, the first of equals.
    std::uint8_t NearestColorIndex(TpackedColor color) const;
};

// Column width in characters of the default font (Arial 10, 7-pixel digits with 5 pixels of cell
// padding, as the spreadsheet application counts) to the file's 1/256-character units.
std::uint16_t XlsColumnWidthUnits(double characters);
