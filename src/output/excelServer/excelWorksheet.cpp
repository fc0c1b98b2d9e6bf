// Worksheets and their page setup: names, rows, columns, cells, ranges and print settings.
#include "output/excelServer/excelObjects.h"

namespace {

constexpr std::int32_t xlPortrait = 1;
constexpr std::int32_t xlLandscape = 2;
constexpr int MaxRangeAddress = 255;  // the application refuses longer address texts

// Sheet names the spreadsheet application accepts: 1 to 31 characters, none of : \ / ? * [ ].
bool ValidSheetName(const QString &name)
{
    if (name.isEmpty() || name.size() > 31)
        return false;
    for (const QChar c : name)
        if (QStringLiteral(":\\/?*[]").contains(c))
            return false;
    return true;
}

int CheckedNumber(const TautoValue &value, int max, const QString &where, const char *what)
{
    const std::int32_t number = value.ToInteger(where);
    if (number < 1 || number > max)
        throw EAutomationError(QStringLiteral("%1: %2 %3 is outside 1 to %4")
                                   .arg(where, QLatin1String(what))
                                   .arg(number)
                                   .arg(max));
    return number - 1;
}

} // namespace

TautoValue TexcelWorksheet::GetProperty(const QString &member, const TautoArgs &args)
{
    auto range = [&](TexcelArea area) {
        return TautoValue(std::make_shared<TexcelRange>(TexcelRangeRef{m_book, m_sheet, {area}}));
    };
    if (SameMember(member, "Name")) {
        ExpectPositional(member, args, 0, 0);
        return m_sheet->Name;
    }
    if (SameMember(member, "Index")) {
        ExpectPositional(member, args, 0, 0);
        return std::int32_t(m_book->IndexOf(m_sheet) + 1);
    }
    if (SameMember(member, "Cells")) {
        ExpectPositional(member, args, 2, 2);
        const int row = CheckedNumber(args.Positional[0], XlsMaxRows, Where(member), "row");
        const int col = CheckedNumber(args.Positional[1], XlsMaxColumns, Where(member), "column");
        return range(ExcelCellsArea(row, col, row, col));
    }
    if (SameMember(member, "Rows")) {
        ExpectPositional(member, args, 1, 1);
        const int row = CheckedNumber(args.Positional[0], XlsMaxRows, Where(member), "row");
        return range(ExcelRowsArea(row, row));
    }
    if (SameMember(member, "Columns")) {
        ExpectPositional(member, args, 1, 1);
        const int col = CheckedNumber(args.Positional[0], XlsMaxColumns, Where(member), "column");
        return range(ExcelColumnsArea(col, col));
    }
    if (SameMember(member, "Range"))
        return Range(member, args);
    if (SameMember(member, "PageSetup")) {
        ExpectPositional(member, args, 0, 0);
        return TautoValue(std::make_shared<TexcelPageSetup>(m_book, m_sheet));
    }
    return TexcelObject::GetProperty(member, args);
}

// Range(address list) or Range(corner, corner), the corners being ranges or addresses.
TautoValue TexcelWorksheet::Range(const QString &member, const TautoArgs &args)
{
    ExpectPositional(member, args, 1, 2);
    auto areasOf = [&](const TautoValue &value) -> std::vector<TexcelArea> {
        if (value.Kind() == TautoValue::TKind::Object) {
            const auto other = std::dynamic_pointer_cast<TexcelRange>(value.ToObject(Where(member)));
            if (!other || other->Ref().Sheet != m_sheet)
                Fail(member, QStringLiteral("a corner must be a range of this sheet"));
            return other->Ref().Areas;
        }
        const QString address = value.ToString(Where(member));
        if (address.size() > MaxRangeAddress)
            Fail(member, QStringLiteral("the address text is longer than %1 characters").arg(MaxRangeAddress));
        try {
            return ParseExcelAddressList(address);
        } catch (const EAutomationError &error) {
            Fail(member, error.Message());
        }
    };
    std::vector<TexcelArea> areas = areasOf(args.Positional[0]);
    if (args.Positional.size() == 2) {
        const std::vector<TexcelArea> second = areasOf(args.Positional[1]);
        if (areas.size() != 1 || second.size() != 1)
            Fail(member, QStringLiteral("each corner must be a single area"));
        const TxlsRect &a = areas[0].Rect, &b = second[0].Rect;
        TexcelArea spanned = ExcelCellsArea(std::min(a.Top, b.Top), std::min(a.Left, b.Left),
                                            std::max(a.Bottom, b.Bottom), std::max(a.Right, b.Right));
        if (areas[0].Kind == second[0].Kind)
            spanned.Kind = areas[0].Kind;
        areas = {spanned};
    }
    return TautoValue(std::make_shared<TexcelRange>(TexcelRangeRef{m_book, m_sheet, std::move(areas)}));
}

void TexcelWorksheet::PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value)
{
    if (SameMember(member, "Name")) {
        ExpectPositional(member, args, 0, 0);
        const QString name = value.ToString(Where(member));
        if (!ValidSheetName(name))
            Fail(member, QStringLiteral("\"%1\" is not a valid sheet name (1 to 31 characters, "
                                        "none of : \\ / ? * [ ])")
                             .arg(name));
        for (const auto &sheet : m_book->Book.Sheets)
            if (sheet.get() != m_sheet && sheet->Name.compare(name, Qt::CaseInsensitive) == 0)
                Fail(member, QStringLiteral("another sheet is already named \"%1\"").arg(name));
        m_sheet->Name = name;
        return;
    }
    TexcelObject::PutProperty(member, args, value);
}

// --- page setup ---------------------------------------------------------------------------------

TautoValue TexcelPageSetup::GetProperty(const QString &member, const TautoArgs &args)
{
    if (SameMember(member, "Orientation")) {
        ExpectPositional(member, args, 0, 0);
        return m_sheet->Landscape ? xlLandscape : xlPortrait;
    }
    return TexcelObject::GetProperty(member, args);
}

void TexcelPageSetup::PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value)
{
    const bool rows = SameMember(member, "PrintTitleRows");
    if (rows || SameMember(member, "PrintTitleColumns")) {
        ExpectPositional(member, args, 0, 0);
        auto &titles = rows ? m_sheet->TitleRows : m_sheet->TitleColumns;
        // False or an empty text removes the titles; any part of a row or column means all of it.
        if (value.Kind() == TautoValue::TKind::Boolean && !value.ToBoolean())
            return titles.reset();
        const QString address = value.ToString(Where(member));
        if (address.isEmpty())
            return titles.reset();
        std::vector<TexcelArea> areas;
        try {
            areas = ParseExcelAddressList(address);
        } catch (const EAutomationError &error) {
            Fail(member, error.Message());
        }
        if (areas.size() != 1)
            Fail(member, QStringLiteral("one block of %1 is expected").arg(rows ? "rows" : "columns"));
        const TxlsRect &r = areas[0].Rect;
        titles = rows ? std::make_pair(r.Top, r.Bottom) : std::make_pair(r.Left, r.Right);
        return;
    }
    if (SameMember(member, "Orientation")) {
        ExpectPositional(member, args, 0, 0);
        const std::int32_t orientation = value.ToInteger(Where(member));
        if (orientation != xlPortrait && orientation != xlLandscape)
            Fail(member, QStringLiteral("%1 is neither portrait (1) nor landscape (2)").arg(orientation));
        m_sheet->Landscape = orientation == xlLandscape;
        return;
    }
    TexcelObject::PutProperty(member, args, value);
}
