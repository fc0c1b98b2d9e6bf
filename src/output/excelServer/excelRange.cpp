// Ranges and the font, fill and border objects bound to them. Formatting goes to every cell of
// the range through the sheet's interned formats; a border is the line between two cells, so a
// range's outer edge also sets the facing side of the neighbouring cell when that cell is already
// in use, and the two never disagree.
#include "output/excelServer/excelObjects.h"

#include <QStringList>
#include <functional>

namespace {

constexpr std::int32_t xlColorIndexAutomatic = -4105;
constexpr std::int32_t xlColorIndexNone = -4142;
constexpr int MaxCellText = 32767;

enum TedgeNumber { xlEdgeLeft = 7, xlEdgeTop = 8, xlEdgeBottom = 9, xlEdgeRight = 10,
                   xlInsideVertical = 11, xlInsideHorizontal = 12 };

// Applies change to the formats of every cell of the range's areas; whole columns are refused
// (they would make every row of the sheet).
template <class TChange>
void ChangeRange(const TexcelRangeRef &range, const QString &where, TChange change)
{
    for (const TexcelArea &area : range.Areas) {
        if (area.Kind == TexcelArea::TKind::Columns)
            throw EAutomationError(QStringLiteral("%1: formatting whole columns is not supported").arg(where));
        range.Sheet->ChangeFormats(area.Rect, range.Book->Book.Styles, change);
    }
}

std::uint8_t PaletteIndex(std::int32_t index, const QString &where)
{
    if (index < 1 || index > XlsPaletteSize)
        throw EAutomationError(QStringLiteral("%1: %2 is not a colour of the workbook palette (1 to %3)")
                                   .arg(where)
                                   .arg(index)
                                   .arg(XlsPaletteSize));
    return std::uint8_t(XlsFirstPaletteIndex + index - 1);
}

// An RGB value (packed colour) mapped to the nearest palette colour, as the application does.
std::uint8_t NearestIndex(const TexcelRangeRef &range, const TautoValue &value, const QString &where)
{
    const std::int32_t color = value.ToInteger(where);
    if (color < 0 || color > 0xFFFFFF)
        throw EAutomationError(QStringLiteral("%1: %2 is not an RGB colour").arg(where).arg(color));
    return range.Book->Book.NearestColorIndex(TpackedColor(color));
}

// --- border lines: the application's line style and weight combined into the file's style ------

enum class TlineKind { None, Continuous, Dash, Dot, Double, DashDot, DashDotDot, SlantDashDot };
enum class TlineWeight { Hairline, Thin, Medium, Thick };

TlineKind KindOf(std::uint8_t style)
{
    switch (style) {
    case XlsLineNone: return TlineKind::None;
    case XlsLineDashed: case 8: return TlineKind::Dash;
    case XlsLineDotted: return TlineKind::Dot;
    case XlsLineDouble: return TlineKind::Double;
    case 9: case 10: return TlineKind::DashDot;
    case 11: case 12: return TlineKind::DashDotDot;
    case 13: return TlineKind::SlantDashDot;
    default: return TlineKind::Continuous;
    }
}

TlineWeight WeightOf(std::uint8_t style)
{
    switch (style) {
    case XlsLineHair: return TlineWeight::Hairline;
    case XlsLineMedium: case 8: case 10: case 12: case 13: return TlineWeight::Medium;
    case XlsLineThick: case XlsLineDouble: return TlineWeight::Thick;
    default: return TlineWeight::Thin;
    }
}

std::uint8_t StyleOf(TlineKind kind, TlineWeight weight)
{
    const bool heavy = weight == TlineWeight::Medium || weight == TlineWeight::Thick;
    switch (kind) {
    case TlineKind::None: return XlsLineNone;
    case TlineKind::Continuous:
        return weight == TlineWeight::Hairline ? XlsLineHair
               : weight == TlineWeight::Thin   ? XlsLineThin
               : weight == TlineWeight::Medium ? XlsLineMedium
                                               : XlsLineThick;
    case TlineKind::Dash: return heavy ? 8 : XlsLineDashed;
    case TlineKind::Dot: return XlsLineDotted;
    case TlineKind::Double: return XlsLineDouble;
    case TlineKind::DashDot: return heavy ? 10 : 9;
    case TlineKind::DashDotDot: return heavy ? 12 : 11;
    case TlineKind::SlantDashDot: return 13;
    }
    return XlsLineNone;
}

TlineKind LineKindFromConstant(std::int32_t value, const QString &where)
{
    switch (value) {
    case 1: return TlineKind::Continuous;       // xlContinuous
    case -4142: return TlineKind::None;         // xlLineStyleNone
    case -4115: return TlineKind::Dash;         // xlDash
    case -4118: return TlineKind::Dot;          // xlDot
    case -4119: return TlineKind::Double;       // xlDouble
    case 4: return TlineKind::DashDot;          // xlDashDot
    case 5: return TlineKind::DashDotDot;       // xlDashDotDot
    case 13: return TlineKind::SlantDashDot;    // xlSlantDashDot
    default:
        throw EAutomationError(QStringLiteral("%1: %2 is not a line style").arg(where).arg(value));
    }
}

TlineWeight WeightFromConstant(std::int32_t value, const QString &where)
{
    switch (value) {
    case 1: return TlineWeight::Hairline;   // xlHairline
    case 2: return TlineWeight::Thin;       // xlThin
    case -4138: return TlineWeight::Medium; // xlMedium
    case 4: return TlineWeight::Thick;      // xlThick
    default:
        throw EAutomationError(QStringLiteral("%1: %2 is not a line weight").arg(where).arg(value));
    }
}

// A line that is given a weight or colour becomes visible (continuous) if it was not.
TxlsLine Visible(TxlsLine line)
{
    if (line.Style == XlsLineNone) {
        line.Style = XlsLineThin;
        line.Color = XlsAutomaticLineColor;
    }
    return line;
}

} // namespace

// --- range --------------------------------------------------------------------------------------

TautoValue TexcelRange::GetProperty(const QString &member, const TautoArgs &args)
{
    if (SameMember(member, "Address")) {
        ExpectPositional(member, args, 0, 0);
        QStringList parts;
        for (const TexcelArea &area : m_range.Areas)
            parts << ExcelAreaAddress(area);
        return parts.join(QLatin1Char(','));
    }
    if (SameMember(member, "Font")) {
        ExpectPositional(member, args, 0, 0);
        return TautoValue(std::make_shared<TexcelFont>(m_range));
    }
    if (SameMember(member, "Interior")) {
        ExpectPositional(member, args, 0, 0);
        return TautoValue(std::make_shared<TexcelInterior>(m_range));
    }
    if (SameMember(member, "Borders")) {
        ExpectPositional(member, args, 1, 1);
        const std::int32_t edge = args.Positional[0].ToInteger(Where(member));
        if (edge < xlEdgeLeft || edge > xlInsideHorizontal)
            Fail(member, QStringLiteral("border %1 is not supported (7 to 12 are)").arg(edge));
        return TautoValue(std::make_shared<TexcelBorder>(m_range, edge));
    }
    if (SameMember(member, "Row")) {
        ExpectPositional(member, args, 0, 0);
        return std::int32_t(m_range.Areas.front().Rect.Top + 1);
    }
    if (SameMember(member, "Column")) {
        ExpectPositional(member, args, 0, 0);
        return std::int32_t(m_range.Areas.front().Rect.Left + 1);
    }
    return TexcelObject::GetProperty(member, args);
}

void TexcelRange::PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value)
{
    const QString where = Where(member);
    if (SameMember(member, "Value")) {
        ExpectPositional(member, args, 0, 0);
        return PutValue(value);
    }
    if (SameMember(member, "HorizontalAlignment")) {
        ExpectPositional(member, args, 0, 0);
        std::uint8_t align = 0;
        switch (value.ToInteger(where)) {
        case 1: align = 0; break;        // xlGeneral
        case -4131: align = 1; break;    // xlLeft
        case -4108: align = 2; break;    // xlCenter
        case -4152: align = 3; break;    // xlRight
        case 5: align = 4; break;        // xlFill
        case -4130: align = 5; break;    // xlJustify
        case 7: align = 6; break;        // xlCenterAcrossSelection
        case -4117: align = 7; break;    // xlDistributed
        default: Fail(member, QStringLiteral("%1 is not a horizontal alignment").arg(value.ToInteger()));
        }
        return ChangeRange(m_range, where, [align](TxlsCellFormat &f) { f.HAlign = align; });
    }
    if (SameMember(member, "VerticalAlignment")) {
        ExpectPositional(member, args, 0, 0);
        std::uint8_t align = 0;
        switch (value.ToInteger(where)) {
        case -4160: align = 0; break;    // xlTop
        case -4108: align = 1; break;    // xlCenter
        case -4107: align = 2; break;    // xlBottom
        case -4130: align = 3; break;    // xlJustify
        case -4117: align = 4; break;    // xlDistributed
        default: Fail(member, QStringLiteral("%1 is not a vertical alignment").arg(value.ToInteger()));
        }
        return ChangeRange(m_range, where, [align](TxlsCellFormat &f) { f.VAlign = align; });
    }
    if (SameMember(member, "Orientation")) {
        ExpectPositional(member, args, 0, 0);
        const std::int32_t degrees = value.ToInteger(where);
        std::uint8_t rotation = 0;
        if (degrees == -4128)                       // xlHorizontal
            rotation = 0;
        else if (degrees == -4171)                  // xlUpward
            rotation = 90;
        else if (degrees == -4170)                  // xlDownward
            rotation = 180;
        else if (degrees == -4166)                  // xlVertical: stacked letters
            rotation = 255;
        else if (degrees >= 0 && degrees <= 90)     // anticlockwise, reading upwards
            rotation = std::uint8_t(degrees);
        else if (degrees >= -90 && degrees < 0)     // clockwise
            rotation = std::uint8_t(90 - degrees);
        else
            Fail(member, QStringLiteral("%1 is not a text orientation").arg(degrees));
        return ChangeRange(m_range, where, [rotation](TxlsCellFormat &f) { f.Rotation = rotation; });
    }
    if (SameMember(member, "RowHeight")) {
        ExpectPositional(member, args, 0, 0);
        const std::int32_t points = value.ToInteger(where);
        if (points < 1 || points > 409)
            Fail(member, QStringLiteral("%1 points is outside 1 to 409").arg(points));
        for (const TexcelArea &area : m_range.Areas) {
            if (area.Kind == TexcelArea::TKind::Columns)
                Fail(member, QStringLiteral("setting the height of every row is not supported"));
            for (int row = area.Rect.Top; row <= area.Rect.Bottom; ++row)
                m_range.Sheet->SetRowHeight(row, std::uint16_t(points * 20));
        }
        return;
    }
    if (SameMember(member, "ColumnWidth")) {
        ExpectPositional(member, args, 0, 0);
        const std::int32_t characters = value.ToInteger(where);
        if (characters < 1 || characters > 255)
            Fail(member, QStringLiteral("%1 characters is outside 1 to 255").arg(characters));
        for (const TexcelArea &area : m_range.Areas)
            for (int col = area.Rect.Left; col <= area.Rect.Right; ++col)
                m_range.Sheet->SetColumnWidth(col, XlsColumnWidthUnits(characters));
        return;
    }
    TexcelObject::PutProperty(member, args, value);
}

void TexcelRange::PutValue(const TautoValue &value)
{
    const QString where = Where(QStringLiteral("Value"));
    TxlsStrings &strings = m_range.Book->Book.Strings;
    auto store = [&](TxlsCell &cell, const TautoValue &item) {
        switch (item.Kind()) {
        case TautoValue::TKind::Empty:
            cell.Kind = TxlsCellKind::Empty;
            return;
        case TautoValue::TKind::String: {
            const QString text = item.ToString();
            if (text.isEmpty()) {  // an empty text clears the cell, as typing one does
                cell.Kind = TxlsCellKind::Empty;
                return;
            }
            if (text.size() > MaxCellText)
                throw EAutomationError(QStringLiteral("%1: a cell holds at most %2 characters").arg(where).arg(MaxCellText));
            cell.Kind = TxlsCellKind::Text;
            cell.Value = std::int32_t(strings.Intern(text));
            return;
        }
        case TautoValue::TKind::Integer:
            cell.Kind = TxlsCellKind::Integer;
            cell.Value = item.ToInteger();
            return;
        default:
            throw EAutomationError(QStringLiteral("%1: %2 cannot be a cell value").arg(where, item.Describe()));
        }
    };
    const bool isBlock = value.Kind() == TautoValue::TKind::Block;
    for (const TexcelArea &area : m_range.Areas) {
        if (area.Kind == TexcelArea::TKind::Columns)
            Fail(QStringLiteral("Value"), QStringLiteral("filling whole columns is not supported"));
        const TxlsRect &r = area.Rect;
        if (isBlock) {
            const TautoBlock &block = value.ToBlock();
            if (block.Rows() < r.Height() || block.Columns() < r.Width())
                Fail(QStringLiteral("Value"), QStringLiteral("a %1 x %2 block cannot fill %3 x %4 cells")
                                                  .arg(block.Rows()).arg(block.Columns())
                                                  .arg(r.Height()).arg(r.Width()));
        }
        for (int row = r.Top; row <= r.Bottom; ++row) {
            TxlsCell *cells = &m_range.Sheet->Cell(row, r.Left);
            for (int col = 0; col < r.Width(); ++col)
                store(cells[col], isBlock ? value.ToBlock().At(row - r.Top, col) : value);
        }
    }
}

// --- font and interior --------------------------------------------------------------------------

void TexcelFont::PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value)
{
    ExpectPositional(member, args, 0, 0);
    const QString where = Where(member);
    TxlsStyles &styles = m_range.Book->Book.Styles;
    auto changeFont = [&](auto edit) {
        ChangeRange(m_range, where, [&](TxlsCellFormat &f) {
            TxlsFont font = styles.Font(f.Font);
            edit(font);
            f.Font = styles.InternFont(font);
        });
    };
    if (SameMember(member, "Name")) {
        const QString name = value.ToString(where);
        if (name.isEmpty() || name.size() > 31)
            Fail(member, QStringLiteral("\"%1\" is not a font name").arg(name));
        return changeFont([&](TxlsFont &font) { font.Name = name; });
    }
    if (SameMember(member, "Size")) {
        const std::int32_t points = value.ToInteger(where);
        if (points < 1 || points > 409)
            Fail(member, QStringLiteral("%1 points is outside 1 to 409").arg(points));
        return changeFont([&](TxlsFont &font) { font.Height = std::uint16_t(points * 20); });
    }
    if (SameMember(member, "Bold")) {
        const bool bold = value.ToBoolean(where);
        return changeFont([&](TxlsFont &font) { font.Bold = bold; });
    }
    if (SameMember(member, "Italic")) {
        const bool italic = value.ToBoolean(where);
        return changeFont([&](TxlsFont &font) { font.Italic = italic; });
    }
    if (SameMember(member, "ColorIndex")) {
        const std::int32_t index = value.ToInteger(where);
        const std::uint16_t color = index == xlColorIndexAutomatic ? XlsAutomaticFontColor : PaletteIndex(index, where);
        return changeFont([&](TxlsFont &font) { font.Color = color; });
    }
    if (SameMember(member, "Color")) {
        const std::uint16_t color = NearestIndex(m_range, value, where);
        return changeFont([&](TxlsFont &font) { font.Color = color; });
    }
    TexcelObject::PutProperty(member, args, value);
}

void TexcelInterior::PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value)
{
    ExpectPositional(member, args, 0, 0);
    const QString where = Where(member);
    std::uint8_t fill = 0;
    if (SameMember(member, "ColorIndex")) {
        const std::int32_t index = value.ToInteger(where);
        fill = index == xlColorIndexNone || index == xlColorIndexAutomatic ? 0 : PaletteIndex(index, where);
    } else if (SameMember(member, "Color")) {
        fill = NearestIndex(m_range, value, where);
    } else {
        return TexcelObject::PutProperty(member, args, value);
    }
    ChangeRange(m_range, where, [fill](TxlsCellFormat &f) { f.Fill = fill; });
}

// --- borders ------------------------------------------------------------------------------------

void TexcelBorder::PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value)
{
    ExpectPositional(member, args, 0, 0);
    const QString where = Where(member);
    std::function<TxlsLine(TxlsLine)> change;
    if (SameMember(member, "LineStyle")) {
        const TlineKind kind = LineKindFromConstant(value.ToInteger(where), where);
        change = [kind](TxlsLine line) {
            if (kind == TlineKind::None)
                return TxlsLine();
            const TlineWeight weight = line.Style ? WeightOf(line.Style) : TlineWeight::Thin;
            if (!line.Style)
                line.Color = XlsAutomaticLineColor;
            line.Style = StyleOf(kind, weight);
            return line;
        };
    } else if (SameMember(member, "Weight")) {
        const TlineWeight weight = WeightFromConstant(value.ToInteger(where), where);
        change = [weight](TxlsLine line) {
            line = Visible(line);
            line.Style = StyleOf(KindOf(line.Style), weight);
            return line;
        };
    } else if (SameMember(member, "Color") || SameMember(member, "ColorIndex")) {
        std::uint8_t color = XlsAutomaticLineColor;
        if (SameMember(member, "Color"))
            color = NearestIndex(m_range, value, where);
        else if (value.ToInteger(where) != xlColorIndexAutomatic)
            color = PaletteIndex(value.ToInteger(where), where);
        change = [color](TxlsLine line) {
            line = Visible(line);
            line.Color = color;
            return line;
        };
    } else {
        return TexcelObject::PutProperty(member, args, value);
    }

    TxlsStyles &styles = m_range.Book->Book.Styles;
    TxlsSheet &sheet = *m_range.Sheet;
    auto apply = [&](TxlsRect rect, TxlsSide side, bool onlyExisting) {
        if (rect.Top > rect.Bottom || rect.Left > rect.Right || rect.Top < 0 || rect.Left < 0 ||
            rect.Bottom >= XlsMaxRows || rect.Right >= XlsMaxColumns)
            return;
        sheet.ChangeFormats(rect, styles, [&](TxlsCellFormat &f) { f.Lines[side] = change(f.Lines[side]); },
                            onlyExisting);
    };
    for (const TexcelArea &area : m_range.Areas) {
        if (area.Kind == TexcelArea::TKind::Columns)
            Fail(member, QStringLiteral("borders of whole columns are not supported"));
        const TxlsRect r = area.Rect;
        switch (m_edge) {
        case xlEdgeLeft:
            apply({r.Top, r.Left, r.Bottom, r.Left}, XlsLeft, false);
            apply({r.Top, r.Left - 1, r.Bottom, r.Left - 1}, XlsRight, true);
            break;
        case xlEdgeTop:
            apply({r.Top, r.Left, r.Top, r.Right}, XlsTop, false);
            apply({r.Top - 1, r.Left, r.Top - 1, r.Right}, XlsBottom, true);
            break;
        case xlEdgeBottom:
            apply({r.Bottom, r.Left, r.Bottom, r.Right}, XlsBottom, false);
            apply({r.Bottom + 1, r.Left, r.Bottom + 1, r.Right}, XlsTop, true);
            break;
        case xlEdgeRight:
            apply({r.Top, r.Right, r.Bottom, r.Right}, XlsRight, false);
            apply({r.Top, r.Right + 1, r.Bottom, r.Right + 1}, XlsLeft, true);
            break;
        case xlInsideVertical:
            apply({r.Top, r.Left, r.Bottom, r.Right - 1}, XlsRight, false);
            apply({r.Top, r.Left + 1, r.Bottom, r.Right}, XlsLeft, false);
            break;
        case xlInsideHorizontal:
            apply({r.Top, r.Left, r.Bottom - 1, r.Right}, XlsBottom, false);
            apply({r.Top + 1, r.Left, r.Bottom, r.Right}, XlsTop, false);
            break;
        }
    }
}
