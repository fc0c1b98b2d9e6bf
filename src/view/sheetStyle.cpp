#include "view/sheetStyle.h"

#include <QHashFunctions>

size_t qHash(const TsheetStyle &style, size_t seed) noexcept
{
    const std::uint64_t packed = std::uint64_t(style.FontSize) | (std::uint64_t(style.FontColor) << 8)
                                 | (std::uint64_t(style.Bold) << 16)
                                 | (std::uint64_t(style.FillColor) << 24)
                                 | (std::uint64_t(style.HorzAlign) << 32)
                                 | (std::uint64_t(style.VertAlign) << 40)
                                 | (std::uint64_t(style.Edges[0]) << 48)
                                 | (std::uint64_t(style.Edges[1]) << 52)
                                 | (std::uint64_t(style.Edges[2]) << 56)
                                 | (std::uint64_t(style.Edges[3]) << 60);
    return qHashMulti(seed, style.FontName, packed);
}

TsheetStyleTable::TsheetStyleTable()
{
    Intern(TsheetStyle{});
}

TstyleId TsheetStyleTable::Intern(const TsheetStyle &style)
{
    const auto found = m_ids.constFind(style);
    if (found != m_ids.constEnd())
        return found.value();
    const TstyleId id = TstyleId(m_styles.size());
    m_styles.push_back(style);
    m_ids.insert(style, id);
    return id;
}

TstyleId TsheetStyleTable::Derive(TstyleId base, TstyleItem item, int value)
{
    const std::uint64_t key = (std::uint64_t(base) << 32) | (std::uint64_t(item) << 24)
                              | (std::uint64_t(std::uint32_t(value)) & 0xFFFFFF);
    if (key == m_lastDerivedKey)
        return m_lastDerived;
    auto found = m_derived.find(key);
    if (found == m_derived.end()) {
        TsheetStyle style = m_styles[base];
        const auto byte = std::uint8_t(value);
        switch (item) {
        case TstyleItem::FontName: break;  // names go through DeriveFontName
        case TstyleItem::FontSize: style.FontSize = byte; break;
        case TstyleItem::FontColor: style.FontColor = byte; break;
        case TstyleItem::Bold: style.Bold = value != 0; break;
        case TstyleItem::FillColor: style.FillColor = byte; break;
        case TstyleItem::HorzAlign: style.HorzAlign = ThorzAlign(byte); break;
        case TstyleItem::VertAlign: style.VertAlign = TvertAlign(byte); break;
        case TstyleItem::EdgeLeft: style.SetEdge(TcellEdge::Left, TedgeStyle(byte)); break;
        case TstyleItem::EdgeTop: style.SetEdge(TcellEdge::Top, TedgeStyle(byte)); break;
        case TstyleItem::EdgeRight: style.SetEdge(TcellEdge::Right, TedgeStyle(byte)); break;
        case TstyleItem::EdgeBottom: style.SetEdge(TcellEdge::Bottom, TedgeStyle(byte)); break;
        }
        found = m_derived.emplace(key, Intern(style)).first;
    }
    m_lastDerivedKey = key;
    m_lastDerived = found->second;
    return found->second;
}

TstyleId TsheetStyleTable::DeriveFontName(TstyleId base, const QString &fontName)
{
    if (m_styles[base].FontName == fontName)
        return base;
    TsheetStyle style = m_styles[base];
    style.FontName = fontName;
    return Intern(style);
}
