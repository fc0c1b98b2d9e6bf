#pragma once
// The program's own spreadsheet automation server, registered as "Excel.Application". It answers
// the members of the spreadsheet application's object model that the workbook export uses
// (application, workbooks, worksheets, ranges with fonts, fills, alignments and borders, page
// setup, palette, SaveAs) with the meanings that application gives them, and SaveAs writes a real
// Excel 97-2003 workbook. Making the application visible opens the saved workbook in the desktop's
// spreadsheet program through a seam that tests and the command line replace.
#include "output/automation/automation.h"

#include <functional>

// A new application object with no workbooks.
std::shared_ptr<IAutoObject> CreateExcelApplication();

// Shows a saved workbook to the user. The default hands the file to the desktop.
using TworkbookOpener = std::function<void(const QString &fileName)>;

// Replaces the opener for as long as it lives, then puts the previous one back.
class TworkbookOpenerScope {
public:
    explicit TworkbookOpenerScope(TworkbookOpener opener);
    ~TworkbookOpenerScope();
    TworkbookOpenerScope(const TworkbookOpenerScope &) = delete;
    TworkbookOpenerScope &operator=(const TworkbookOpenerScope &) = delete;

private:
    TworkbookOpener m_previous;
};
