#include "output/excelServer/excelAddress.h"

#include "output/automation/automation.h"


QString ExcelColumnName(int col)
{
    QString name;
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

TexcelArea ExcelCellsArea(int top, int left, int bottom, int right)
{
    return {TexcelArea::TKind::Cells, {std::min(top, bottom), std::min(left, right),
                                       std::max(top, bottom), std::max(left, right)}};
}

TexcelArea ExcelRowsArea(int first, int last)
{
    return {TexcelArea::TKind::Rows, {std::min(first, last), 0, std::max(first, last), XlsMaxColumns - 1}};
}

TexcelArea ExcelColumnsArea(int first, int last)
{
    return {TexcelArea::TKind::Columns, {0, std::min(first, last), XlsMaxRows - 1, std::max(first, last)}};
}

QString ExcelAreaAddress(const TexcelArea &area)
{
    const TxlsRect &r = area.Rect;
    switch (area.Kind) {
    case TexcelArea::TKind::Rows:
        return QStringLiteral("$%1:$%2").arg(r.Top + 1).arg(r.Bottom + 1);
    case TexcelArea::TKind::Columns:
        return QStringLiteral("$%1:$%2").arg(ExcelColumnName(r.Left), ExcelColumnName(r.Right));
    case TexcelArea::TKind::Cells:
        break;
    }
    const QString first = QStringLiteral("$%1$%2").arg(ExcelColumnName(r.Left)).arg(r.Top + 1);
    if (r.Top == r.Bottom && r.Left == r.Right)
        return first;
    return first + QStringLiteral(":$%1$%2").arg(ExcelColumnName(r.Right)).arg(r.Bottom + 1);
}

namespace {

// One end of a reference: column letters, row digits, or both; -1 for a part that is absent.
struct Tend {
    int Col = -1;
    int Row = -1;
};

// [$]LETTERS[$]DIGITS with either part optional (but not both).
bool ParseEnd(QStringView text, Tend &end)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text[i] == u'$')
        ++i;
    int col = 0, letters = 0;
    for (; i < n && letters < 4; ++i, ++letters) {
        const char16_t c = text[i].unicode();
        if (c >= u'a' && c <= u'z')
            col = col * 26 + (c - u'a' + 1);
        else if (c >= u'A' && c <= u'Z')
            col = col * 26 + (c - u'A' + 1);
        else
            break;
    }
    if (letters > 0) {
        if (col > XlsMaxColumns)
            return false;
        end.Col = col - 1;
    }
    if (i < n && text[i] == u'$')
        ++i;
    int row = 0, digits = 0;
    for (; i < n && digits < 7; ++i, ++digits) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            break;
        row = row * 10 + (c - u'0');
    }
    if (digits > 0) {
        if (row < 1 || row > XlsMaxRows)
            return false;
        end.Row = row - 1;
    }
    return i == n && (letters > 0 || digits > 0);
}

TexcelArea ParseArea(QStringView text)
{
    const qsizetype colon = text.indexOf(u':');
    const bool pair = colon >= 0;
    Tend a, b;
    bool ok = ParseEnd((pair ? text.left(colon) : text).trimmed(), a);
    if (ok && pair)
        ok = ParseEnd(text.mid(colon + 1).trimmed(), b);
    else
        b = a;
    if (ok) {
        const bool cellA = a.Col >= 0 && a.Row >= 0, cellB = b.Col >= 0 && b.Row >= 0;
        if (cellA && cellB)
            return ExcelCellsArea(a.Row, a.Col, b.Row, b.Col);
        // Whole rows and columns need both ends ("1:1", "A:A"); a lone "1" or "A" is no address.
        if (pair && a.Col < 0 && b.Col < 0)
            return ExcelRowsArea(a.Row, b.Row);
        if (pair && a.Row < 0 && b.Row < 0)
            return ExcelColumnsArea(a.Col, b.Col);
    }
    throw EAutomationError(QStringLiteral("\"%1\" is not a cell address").arg(text.toString()));
}

} // namespace

std::vector<TexcelArea> ParseExcelAddressList(const QString &text)
{
    std::vector<TexcelArea> areas;
    const QStringView all(text);
    qsizetype from = 0;
    for (qsizetype i = 0; i <= all.size(); ++i)
        if (i == all.size() || all[i] == u',' || all[i] == u';') {
            areas.push_back(ParseArea(all.mid(from, i - from).trimmed()));
            from = i + 1;
        }
    return areas;
}
