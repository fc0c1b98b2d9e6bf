#pragma once
// The workbook export's inputs as the program holds them: the document's raster, colours and
// names, the rows of the colours kit list, and the scheme sheets' palette for the current view
// mode. Texts are turned from the scheme's 8-bit windows-1251 bytes into the characters the
// sheets show.
#include "output/ExcelExport.h"
#include "view/schemeSheets.h"

class TschemeDocument;
class TcolorsKitList;
class TsheetBook;

TworkbookViewMode WorkbookViewMode(TviewMode mode);

// The source refers to the document's raster, which must outlive the export. Throws EKanvoError
// when the document holds no scheme.
TworkbookExportSource WorkbookExportSource(const TschemeDocument &document, const TcolorsKitList &kitList,
                                           const TsheetBook &book, TviewMode mode);
