#include "output/xls/xlsWorkbook.h"

#include "common/KanvoError.h"

#include <cmath>

namespace {

constexpr TpackedColor Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return red | (green << 8) | (blue << 16);
}

void Mix(std::size_t &seed, std::size_t value)
{
    seed ^= value + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2);
}

} // namespace

std::size_t TxlsCellFormatHash::operator()(const TxlsCellFormat &format) const noexcept
{
    std::size_t seed = format.Font;
    Mix(seed, std::size_t(format.HAlign) | std::size_t(format.VAlign) << 8 |
                  std::size_t(format.Rotation) << 16 | std::size_t(format.Fill) << 24);
    std::size_t lines = 0;
    for (const TxlsLine &line : format.Lines)
        lines = (lines << 16) | std::size_t(line.Style) << 8 | line.Color;
    Mix(seed, lines);
    return seed;
}

TxlsStyles::TxlsStyles()
{
    m_fonts.push_back(TxlsFont());
    InternFormat(TxlsCellFormat());
}

std::uint16_t TxlsStyles::InternFont(const TxlsFont &font)
{
    // A workbook has a handful of fonts; a search is cheaper than a hash table here.
    for (std::size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i] == font)
            return std::uint16_t(i);
    // The file numbers fonts in 16 bits and skips one number; far more than any sheet uses.
    if (m_fonts.size() >= 0xFF00)
        throw EKanvoError(QStringLiteral("The workbook has too many different fonts"));
    m_fonts.push_back(font);
    return std::uint16_t(m_fonts.size() - 1);
}

std::uint32_t TxlsStyles::InternFormat(const TxlsCellFormat &format)
{
    const auto [where, added] = m_formatIds.try_emplace(format, std::uint32_t(m_formats.size()));
    if (added)
        m_formats.push_back(format);
    return where->second;
}

std::uint32_t TxlsStrings::Intern(const QString &text)
{
    const auto found = m_ids.constFind(text);
    if (found != m_ids.constEnd())
        return *found;
    const std::uint32_t id = std::uint32_t(m_texts.size());
    m_texts.push_back(text);
    m_ids.insert(text, id);
    return id;
}

TxlsCell &TxlsSheet::Cell(int row, int col)
{
    if (row >= int(m_rows.size()))
        m_rows.resize(std::size_t(row) + 1);
    std::vector<TxlsCell> &cells = m_rows[std::size_t(row)];
    if (cells.empty())
        cells.resize(XlsMaxColumns);
    return cells[std::size_t(col)];
}

void TxlsSheet::SetRowHeight(int row, std::uint16_t twips)
{
    if (row >= int(m_rowHeights.size()))
        m_rowHeights.resize(std::size_t(row) + 1, 0);
    m_rowHeights[std::size_t(row)] = twips;
}

TxlsWorkbook::TxlsWorkbook() : Palette(DefaultPalette()) {}

const std::array<TpackedColor, XlsPaletteSize> &TxlsWorkbook::DefaultPalette()
{
    static const std::array<TpackedColor, XlsPaletteSize> palette = {
        Rgb(0, 0, 0),       Rgb(255, 255, 255), Rgb(255, 0, 0),     Rgb(0, 255, 0),
        Rgb(0, 0, 255),     Rgb(255, 255, 0),   Rgb(255, 0, 255),   Rgb(0, 255, 255),
        Rgb(128, 0, 0),     Rgb(0, 128, 0),     Rgb(0, 0, 128),     Rgb(128, 128, 0),
        Rgb(128, 0, 128),   Rgb(0, 128, 128),   Rgb(192, 192, 192), Rgb(128, 128, 128),
        Rgb(153, 153, 255), Rgb(153, 51, 102),  Rgb(255, 255, 204), Rgb(204, 255, 255),
        Rgb(102, 0, 102),   Rgb(255, 128, 128), Rgb(0, 102, 204),   Rgb(204, 204, 255),
        Rgb(0, 0, 128),     Rgb(255, 0, 255),   Rgb(255, 255, 0),   Rgb(0, 255, 255),
        Rgb(128, 0, 128),   Rgb(128, 0, 0),     Rgb(0, 128, 128),   Rgb(0, 0, 255),
        Rgb(0, 204, 255),   Rgb(204, 255, 255), Rgb(204, 255, 204), Rgb(255, 255, 153),
        Rgb(153, 204, 255), Rgb(255, 153, 204), Rgb(204, 153, 255), Rgb(255, 204, 153),
        Rgb(51, 102, 255),  Rgb(51, 204, 204),  Rgb(153, 204, 0),   Rgb(255, 204, 0),
        Rgb(255, 153, 0),   Rgb(255, 102, 0),   Rgb(102, 102, 153), Rgb(150, 150, 150),
        Rgb(0, 51, 102),    Rgb(51, 153, 102),  Rgb(0, 51, 0),      Rgb(51, 51, 0),
        Rgb(153, 51, 0),    Rgb(153, 51, 102),  Rgb(51, 51, 153),   Rgb(51, 51, 51),
    };
    return palette;
}

std::uint8_t TxlsWorkbook::NearestColorIndex(TpackedColor color) const
{
    const int red = int(color & 0xFF), green = int((color >> 8) & 0xFF), blue = int((color >> 16) & 0xFF);
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < XlsPaletteSize; ++i) {
        const TpackedColor entry = Palette[std::size_t(i)];
        const long dr = red - long(entry & 0xFF), dg = green - long((entry >> 8) & 0xFF),
                   db = blue - long((entry >> 16) & 0xFF);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return std::uint8_t(XlsFirstPaletteIndex + best);
}

std::uint16_t XlsColumnWidthUnits(double characters)
{
    constexpr double digit = 7.0, padding = 5.0;
    if (characters <= 0)
        return 0;
    const double pixels = characters < 1 ? std::floor(characters * (digit + padding) + 0.5)
                                          : std::floor(characters * digit + 0.5) + padding;
    return std::uint16_t(std::floor(pixels / digit * 256.0));
}
