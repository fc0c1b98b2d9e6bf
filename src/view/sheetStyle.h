#pragma once
// The look of a sheet cell (font, colours, alignment, edges) and the table that interns it. Cells
// hold only a style number, so a page of a million cells with a few dozen different looks keeps
// one copy of each look, the way a workbook keeps its XF records.
#include "view/sheetPalette.h"

#include <QHash>
#include <QString>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

enum class ThorzAlign : std::uint8_t { General, Left, Center, Right };
enum class TvertAlign : std::uint8_t { Top, Center, Bottom };
enum class TedgeStyle : std::uint8_t { None, Thin, Medium };
enum class TcellEdge : std::uint8_t { Left, Top, Right, Bottom };

using TstyleId = std::uint32_t;

struct TsheetStyle {
    QString FontName = QStringLiteral("MS Sans Serif");
    std::uint8_t FontSize = 8;                   // points
    std::uint8_t FontColor = NoPaletteColor;     // palette index; none = window text
    bool Bold = false;
    std::uint8_t FillColor = NoPaletteColor;     // palette index; none = no fill
    ThorzAlign HorzAlign = ThorzAlign::General;
    TvertAlign VertAlign = TvertAlign::Bottom;
    std::array<TedgeStyle, 4> Edges{};           // indexed by TcellEdge

    TedgeStyle Edge(TcellEdge edge) const { return Edges[std::size_t(edge)]; }
    void SetEdge(TcellEdge edge, TedgeStyle style) { Edges[std::size_t(edge)] = style; }
    bool operator==(const TsheetStyle &other) const = default;
};

size_t qHash(const TsheetStyle &style, size_t seed = 0) noexcept;

// The single style items a caller may change on a cell; the table derives the resulting style.
enum class TstyleItem : std::uint8_t {
    FontName, FontSize, FontColor, Bold, FillColor, HorzAlign, VertAlign,
    EdgeLeft, EdgeTop, EdgeRight, EdgeBottom
};

class TsheetStyleTable {
public:
    // Style 0 is the default style of an untouched cell.
    static constexpr TstyleId DefaultStyle = 0;

    TsheetStyleTable();

    TstyleId Intern(const TsheetStyle &style);
    const TsheetStyle &Style(TstyleId id) const { return m_styles[id]; }
    int Count() const { return int(m_styles.size()); }

    // The style that differs from base only in one item. Bulk fills change the same item of the
    // same few styles again and again, so the answers are remembered.
    TstyleId Derive(TstyleId base, TstyleItem item, int value);
    TstyleId DeriveFontName(TstyleId base, const QString &fontName);

private:
    std::vector<TsheetStyle> m_styles;
    QHash<TsheetStyle, TstyleId> m_ids;
    std::unordered_map<std::uint64_t, TstyleId> m_derived;
    std::uint64_t m_lastDerivedKey = ~std::uint64_t(0);
    TstyleId m_lastDerived = 0;
};
