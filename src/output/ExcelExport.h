#pragma once
// The workbook export: drives a spreadsheet application, created from the ProgID
// "Excel.Application", through its automation interface to build a workbook of the scheme (one
// sheet per 255 scheme columns with symbols, grid lines and colour fills, then the table of
// colours), save it and show it. The call sequence is the protocol with that application. The
// inputs are plain data taken from the document, the colours kit list and the scheme sheets;
// progress goes to an observer that the progress window implements.
#include "colour/rgbColors.h"
#include "common/KanvoError.h"

#include <QString>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

enum class TworkbookViewMode { SymbolsOnly, HalfTone, SymbolsAndColors, ColorsOnly };

struct TexportColor {
    QString Symbol;     // the colour's one symbol character
    bool Dark = false;  // IsDark of the colour
};

// A row of the colours kit list, in list order.
struct TexportKitRow {
    std::int32_t Num = 0;  // the colour's index in the scheme
    QString Symbol;
    QString Thread;
    std::int32_t Count = 0;
};

struct TworkbookExportSource {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    // Colour index of every stitch, row-major, row 0 at the top; must outlive the export.
    std::span<const std::int32_t> Pixels;
    std::vector<TexportColor> Colors;
    QString SymbolFontName;
    QString KitName;
    std::vector<TexportKitRow> KitRows;
    // The scheme sheets' palette as the view mode last set it: scheme colour k at entry k + 5.
    std::array<TpackedColor, 56> SheetPalette{};
    TworkbookViewMode ViewMode = TworkbookViewMode::HalfTone;
};

// What the progress window shows: the step name and two bars, repainted on request.
class IWorkbookExportProgress {
public:
    virtual ~IWorkbookExportProgress() = default;
    virtual void Show() = 0;  // once the spreadsheet application answered
    virtual void SetStepName(const QString &name) = 0;
    virtual void SetFullMaximum(int maximum) = 0;
    virtual void SetFullPosition(int position) = 0;
    virtual void SetPartMaximum(int maximum) = 0;
    virtual void SetPartPosition(int position) = 0;
    virtual void Repaint() = 0;
};

// The spreadsheet application could not be started or gave no workbook. The message is the
// underlying failure's; the caller shows its connection message first.
class EWorkbookConnectionError : public EKanvoError {
public:
    using EKanvoError::EKanvoError;
};

// Scheme columns per workbook sheet: the file format's 256 columns less the row numbers.
inline constexpr int WorkbookPageColumns = 255;
// Scheme colours the workbook palette has room for (palette positions 6..56).
inline constexpr int WorkbookMaxColors = 51;

// The whole export into FileName. progress may be null. Throws EWorkbookConnectionError when the
// application cannot be reached, EKanvoError for anything else that fails (the application's own
// text), and refuses an inconsistent source before it starts the application. Colours from index
// 51 on have no workbook colour; they are filled white with black symbols, as the sheets show them.
void ExportWorkbook(const QString &FileName, const TworkbookExportSource &source,
                    IWorkbookExportProgress *progress = nullptr);

// The column letters of a sheet column from 1: "A".."Z", then "AA", "AZ", "BA" and so on, up to
// "ZZ" (702); other numbers throw EKanvoError.
QString ColumnLetters(int Index);
