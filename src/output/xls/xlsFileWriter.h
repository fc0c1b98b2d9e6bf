#pragma once
// Stores a TxlsWorkbook as an Excel 97-2003 workbook file (.xls): a BIFF8 workbook stream (globals
// with palette, fonts, cell formats, print-title names and shared strings; then one substream per
// sheet with page setup, column widths, row heights and cells) in a compound document container.
#include <QByteArray>
#include <QString>

class TxlsWorkbook;

// The workbook stream alone, padded to the container's minimum stream size. Throws EKanvoError
// when the workbook exceeds the format's limits.
QByteArray BuildWorkbookStream(const TxlsWorkbook &book);

// Writes the file through a temporary one that replaces fileName only when complete, so a failure
// leaves whatever was there before. Throws EKanvoError naming the file on failure.
void WriteXlsFile(const TxlsWorkbook &book, const QString &fileName);
