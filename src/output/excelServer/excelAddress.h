#pragma once
// A1-style addresses as the spreadsheet application reads and writes them: "B2", "$B$2",
// "A1:C3", whole rows "$1:$1" and whole columns "$A:$A", and lists of them separated by "," or
// ";" (the list separator differs between locales; both are taken).
#include "output/xls/xlsWorkbook.h"

#include <QString>
#include <vector>

struct TexcelArea {
    enum class TKind { Cells, Rows, Columns };
    TKind Kind = TKind::Cells;
    TxlsRect Rect;  // whole rows and columns span the sheet's full width or height
};

// "A".."IV" of a 0-based column.
QString ExcelColumnName(int col);
// "$B$2", "$A$1:$C$3", "$1:$2", "$A:$B".
QString ExcelAreaAddress(const TexcelArea &area);
TexcelArea ExcelCellsArea(int top, int left, int bottom, int right);
TexcelArea ExcelRowsArea(int first, int last);
TexcelArea ExcelColumnsArea(int first, int last);
// Throws EAutomationError naming the part it could not read.
std::vector<TexcelArea> ParseExcelAddressList(const QString &text);
