#include "output/xls/xlsFileWriter.h"

#include "common/KanvoError.h"
#include "output/xls/biffStream.h"
#include "output/xls/compoundFile.h"
#include "output/xls/xlsWorkbook.h"

#include <QLocale>
#include <QSaveFile>

namespace {

enum TbiffRecord : std::uint16_t {
    RecBof = 0x0809, RecEof = 0x000A, RecInterfaceHdr = 0x00E1, RecMms = 0x00C1,
    RecInterfaceEnd = 0x00E2, RecCodepage = 0x0042, RecDsf = 0x0161, RecWriteProt = 0x0086,
    RecWindowProtect = 0x0019, RecProtect = 0x0012, RecPassword = 0x0013, RecWindow1 = 0x003D,
    RecBackup = 0x0040, RecHideObj = 0x008D, RecDateMode = 0x0022, RecPrecision = 0x000E,
    RecBookBool = 0x00DA, RecFont = 0x0031, RecXf = 0x00E0, RecStyle = 0x0293,
    RecPalette = 0x0092, RecBoundSheet = 0x0085, RecSupBook = 0x01AE, RecExternSheet = 0x0017,
    RecName = 0x0018, RecPrintGridlines = 0x002B, RecGridSet = 0x0082,
    RecDefaultRowHeight = 0x0225, RecWsBool = 0x0081, RecSetup = 0x00A1, RecDefColWidth = 0x0055,
    RecColInfo = 0x007D, RecDimensions = 0x0200, RecRow = 0x0208, RecLabelSst = 0x00FD,
    RecBlank = 0x0201, RecMulBlank = 0x00BE, RecRk = 0x027E, RecNumber = 0x0203,
    RecWindow2 = 0x023E
};

constexpr int StyleXfCount = 15;          // the built-in style formats before the cell formats
constexpr int DefaultFontRecords = 4;     // font number 4 does not exist in the format
constexpr std::uint16_t DefaultRowTwips = 255;

std::uint16_t FontNumber(std::uint16_t fontId)
{
    return fontId == 0 ? 0 : std::uint16_t(fontId + DefaultFontRecords);
}

std::uint16_t XfNumber(std::uint32_t formatId)
{
    return std::uint16_t(StyleXfCount + formatId);
}

void WriteBof(TbiffStream &out, std::uint16_t kind)
{
    out.Begin(RecBof);
    out.Add16(0x0600);  // BIFF8
    out.Add16(kind);    // 5 workbook globals, 0x10 worksheet
    out.Add16(0x0DBB);  // build
    out.Add16(0x07CC);  // year
    out.Add32(0);
    out.Add32(0x06);    // lowest version that can read the file
    out.End();
}

void WriteSimple16(TbiffStream &out, std::uint16_t type, std::uint16_t value)
{
    out.Begin(type);
    out.Add16(value);
    out.End();
}

void WriteFont(TbiffStream &out, const TxlsFont &font)
{
    out.Begin(RecFont);
    out.Add16(font.Height);
    out.Add16(std::uint16_t((font.Bold ? 0x0001 : 0) | (font.Italic ? 0x0002 : 0)));  // bit 0 repeats the weight for old readers
    out.Add16(font.Color);
    out.Add16(font.Bold ? 700 : 400);
    out.Add16(0);   // no super- or subscript
    out.Add8(0);    // no underline
    out.Add8(0);    // family unknown
    out.Add8(1);    // default character set
    out.Add8(0);
    out.AddShortString(font.Name);
    out.End();
}

void WriteXf(TbiffStream &out, std::uint16_t font, std::uint16_t typeAndParent, std::uint8_t used,
             const TxlsCellFormat &format)
{
    out.Begin(RecXf);
    out.Add16(font);
    out.Add16(0);  // number format "General"
    out.Add16(typeAndParent);
    out.Add8(std::uint8_t(format.HAlign | (format.VAlign << 4)));
    out.Add8(format.Rotation);
    out.Add8(0);
    out.Add8(used);
    const auto &l = format.Lines;
    auto color = [](const TxlsLine &line) { return line.Style ? std::uint32_t(line.Color) : 0u; };
    out.Add32(std::uint32_t(l[XlsLeft].Style) | std::uint32_t(l[XlsRight].Style) << 4 |
              std::uint32_t(l[XlsTop].Style) << 8 | std::uint32_t(l[XlsBottom].Style) << 12 |
              color(l[XlsLeft]) << 16 | color(l[XlsRight]) << 23);
    const std::uint32_t pattern = format.Fill ? 1 : 0;
    out.Add32(color(l[XlsTop]) | color(l[XlsBottom]) << 7 | pattern << 26);
    out.Add16(format.Fill ? std::uint16_t(format.Fill | (64 << 7)) : std::uint16_t(64 | (65 << 7)));
    out.End();
}

void WriteStyleFormats(TbiffStream &out, const TxlsStyles &styles)
{
    const TxlsCellFormat plain;
    // Style formats 0..14 as the application lays them out: Normal, then the outline styles.
    for (int i = 0; i < StyleXfCount; ++i) {
        const std::uint16_t font = (i == 1 || i == 2) ? 1 : (i == 3 || i == 4) ? 2 : 0;
        WriteXf(out, font, 0xFFF5, i == 0 ? 0x00 : 0xF4, plain);
    }
    // Cell formats: the default one (format id 0) and every other interned format.
    for (int id = 0; id < styles.FormatCount(); ++id) {
        const TxlsCellFormat &format = styles.Format(std::uint32_t(id));
        WriteXf(out, FontNumber(format.Font), 0x0001, id == 0 ? 0x00 : 0xFC, format);
    }
    out.Begin(RecStyle);
    out.Add16(0x8000);  // built-in style on style format 0
    out.Add8(0);        // "Normal"
    out.Add8(0xFF);
    out.End();
}

void WritePalette(TbiffStream &out, const TxlsWorkbook &book)
{
    out.Begin(RecPalette);
    out.Add16(XlsPaletteSize);
    for (const TpackedColor color : book.Palette)
        out.Add32(color & 0x00FFFFFF);  // red, green, blue, 0 in file order
    out.End();
}

void AddArea3d(TbiffStream &out, std::uint16_t sheetRef, int firstRow, int lastRow, int firstCol,
               int lastCol)
{
    out.Add8(0x3B);
    out.Add16(sheetRef);
    out.Add16(std::uint16_t(firstRow));
    out.Add16(std::uint16_t(lastRow));
    out.Add16(std::uint16_t(firstCol));
    out.Add16(std::uint16_t(lastCol));
}

// Print titles are the built-in name Print_Titles of the sheet, referring to whole rows and whole
// columns of it through the workbook's own sheet references (one reference per sheet).
void WritePrintTitles(TbiffStream &out, const TxlsWorkbook &book)
{
    bool any = false;
    for (const auto &sheet : book.Sheets)
        any = any || sheet->TitleRows || sheet->TitleColumns;
    if (!any)
        return;
    const int sheets = int(book.Sheets.size());
    out.Begin(RecSupBook);
    out.Add16(std::uint16_t(sheets));
    out.Add16(0x0401);  // this workbook
    out.End();
    out.Begin(RecExternSheet);
    out.Add16(std::uint16_t(sheets));
    for (int i = 0; i < sheets; ++i) {
        out.Add16(0);
        out.Add16(std::uint16_t(i));
        out.Add16(std::uint16_t(i));
    }
    out.End();
    for (int i = 0; i < sheets; ++i) {
        const TxlsSheet &sheet = *book.Sheets[std::size_t(i)];
        if (!sheet.TitleRows && !sheet.TitleColumns)
            continue;
        const bool both = sheet.TitleRows && sheet.TitleColumns;
        const std::uint16_t formulaSize = both ? 3 + 11 + 11 + 1 : 11;
        out.Begin(RecName);
        out.Add16(0x0020);  // built-in name
        out.Add8(0);
        out.Add8(1);        // name length: the one built-in code
        out.Add16(formulaSize);
        out.Add16(0);
        out.Add16(std::uint16_t(i + 1));  // local to sheet i
        out.Add32(0);       // no menu, description, help or status texts
        out.Add8(0);
        out.Add8(0x07);     // Print_Titles
        if (both) {
            out.Add8(0x29);  // the references that follow form one list
            out.Add16(11 + 11 + 1);
        }
        if (sheet.TitleColumns)
            AddArea3d(out, std::uint16_t(i), 0, XlsMaxRows - 1, sheet.TitleColumns->first,
                      sheet.TitleColumns->second);
        if (sheet.TitleRows)
            AddArea3d(out, std::uint16_t(i), sheet.TitleRows->first, sheet.TitleRows->second, 0,
                      XlsMaxColumns - 1);
        if (both)
            out.Add8(0x10);  // list of the two areas
        out.End();
    }
}

// The strings the cells use, renumbered in order of first use, and how many cells refer to them.
struct TsharedStrings {
    std::vector<QString> Texts;
    std::vector<std::int32_t> Index;  // workbook string id -> position in Texts, or -1
    std::uint32_t References = 0;
};

TsharedStrings CollectStrings(const TxlsWorkbook &book)
{
    TsharedStrings shared;
    shared.Index.assign(std::size_t(book.Strings.Count()), -1);
    for (const auto &sheet : book.Sheets)
        for (int row = 0; row < sheet->RowSlots(); ++row)
            if (const auto *cells = sheet->Row(row))
                for (const TxlsCell &cell : *cells)
                    if (cell.Kind == TxlsCellKind::Text) {
                        std::int32_t &index = shared.Index[std::size_t(cell.Value)];
                        if (index < 0) {
                            index = std::int32_t(shared.Texts.size());
                            shared.Texts.push_back(book.Strings.Text(std::uint32_t(cell.Value)));
                        }
                        ++shared.References;
                    }
    return shared;
}

void WriteGlobals(TbiffStream &out, const TxlsWorkbook &book, const TsharedStrings &strings,
                  std::vector<qint64> &sheetOffsetFields)
{
    WriteBof(out, 0x0005);
    if (book.ReadOnlyRecommended)
        out.Record(RecWriteProt, {});
    WriteSimple16(out, RecInterfaceHdr, 1200);
    WriteSimple16(out, RecMms, 0);
    out.Record(RecInterfaceEnd, {});
    WriteSimple16(out, RecCodepage, 1200);  // strings are Unicode
    WriteSimple16(out, RecDsf, 0);
    WriteSimple16(out, RecWindowProtect, 0);
    WriteSimple16(out, RecProtect, 0);
    WriteSimple16(out, RecPassword, 0);

    out.Begin(RecWindow1);
    out.Add16(360);
    out.Add16(270);
    out.Add16(14940);
    out.Add16(9150);
    out.Add16(0x0038);  // scroll bars and sheet tabs shown
    out.Add16(std::uint16_t(book.ActiveSheet));
    out.Add16(0);
    out.Add16(1);       // one sheet selected
    out.Add16(600);
    out.End();

    WriteSimple16(out, RecBackup, 0);
    WriteSimple16(out, RecHideObj, 0);
    WriteSimple16(out, RecDateMode, 0);
    WriteSimple16(out, RecPrecision, 1);
    WriteSimple16(out, RecBookBool, 0);

    const TxlsStyles &styles = book.Styles;
    for (int i = 0; i < DefaultFontRecords; ++i)
        WriteFont(out, styles.Font(0));
    for (int id = 1; id < styles.FontCount(); ++id)
        WriteFont(out, styles.Font(std::uint16_t(id)));
    WriteStyleFormats(out, styles);
    WritePalette(out, book);

    for (const auto &sheet : book.Sheets) {
        out.Begin(RecBoundSheet);
        sheetOffsetFields.push_back(out.Position());
        out.Add32(0);  // the sheet's offset, patched when it is written
        out.Add8(0);   // visible
        out.Add8(0);   // worksheet
        out.AddShortString(sheet->Name);
        out.End();
    }
    WritePrintTitles(out, book);
    out.AddSharedStrings(strings.Texts, strings.References);
    out.Record(RecEof, {});
}

std::uint16_t LocalePaperSize()
{
    // The spreadsheet application takes the printer's paper; without one, the locale's usual size.
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? 1 : 9;  // Letter : A4
}

void WritePageSetup(TbiffStream &out, const TxlsSheet &sheet)
{
    out.Begin(RecSetup);
    out.Add16(LocalePaperSize());
    out.Add16(100);  // scale
    out.Add16(1);    // first page number
    out.Add16(1);    // fit to 1 page wide
    out.Add16(1);    // and 1 page tall (used only when fitting is on)
    out.Add16(sheet.Landscape ? 0x0000 : 0x0002);
    out.Add16(600);
    out.Add16(600);
    out.AddDouble(0.5);  // header margin, inches
    out.AddDouble(0.5);  // footer margin
    out.Add16(1);        // copies
    out.End();
}

void WriteColumnWidths(TbiffStream &out, const TxlsSheet &sheet)
{
    for (int first = 0; first < XlsMaxColumns;) {
        const std::uint16_t width = sheet.ColumnWidth(first);
        int last = first;
        while (last + 1 < XlsMaxColumns && sheet.ColumnWidth(last + 1) == width)
            ++last;
        if (width) {
            out.Begin(RecColInfo);
            out.Add16(std::uint16_t(first));
            out.Add16(std::uint16_t(last));
            out.Add16(width);
            out.Add16(XfNumber(0));
            out.Add16(0x0002);  // width set by the user
            out.Add16(0);
            out.End();
        }
        first = last + 1;
    }
}

// First and last written column of a row, or {-1, -1} when the row has no cell to write.
std::pair<int, int> UsedColumns(const std::vector<TxlsCell> *cells)
{
    if (!cells)
        return {-1, -1};
    int first = -1, last = -1;
    for (int col = 0; col < XlsMaxColumns; ++col)
        if (!(*cells)[std::size_t(col)].IsBlankDefault()) {
            if (first < 0)
                first = col;
            last = col;
        }
    return {first, last};
}

void WriteRowCells(TbiffStream &out, int row, const std::vector<TxlsCell> &cells, int first, int last,
                   const TsharedStrings &strings)
{
    for (int col = first; col <= last;) {
        const TxlsCell &cell = cells[std::size_t(col)];
        if (cell.Kind == TxlsCellKind::Text) {
            out.Begin(RecLabelSst);
            out.Add16(std::uint16_t(row));
            out.Add16(std::uint16_t(col));
            out.Add16(XfNumber(cell.Format));
            out.Add32(std::uint32_t(strings.Index[std::size_t(cell.Value)]));
            out.End();
            ++col;
        } else if (cell.Kind == TxlsCellKind::Integer) {
            const bool fitsRk = cell.Value >= -(1 << 29) && cell.Value < (1 << 29);
            out.Begin(fitsRk ? RecRk : RecNumber);
            out.Add16(std::uint16_t(row));
            out.Add16(std::uint16_t(col));
            out.Add16(XfNumber(cell.Format));
            if (fitsRk)
                out.Add32(std::uint32_t(cell.Value) << 2 | 2);  // an integer in 30 bits
            else
                out.AddDouble(double(cell.Value));
            out.End();
            ++col;
        } else if (cell.Format == 0) {
            ++col;
        } else {
            int end = col;  // a run of formatted empty cells
            while (end + 1 <= last && cells[std::size_t(end + 1)].Kind == TxlsCellKind::Empty &&
                   cells[std::size_t(end + 1)].Format != 0)
                ++end;
            if (end == col) {
                out.Begin(RecBlank);
                out.Add16(std::uint16_t(row));
                out.Add16(std::uint16_t(col));
                out.Add16(XfNumber(cell.Format));
            } else {
                out.Begin(RecMulBlank);
                out.Add16(std::uint16_t(row));
                out.Add16(std::uint16_t(col));
                for (int c = col; c <= end; ++c)
                    out.Add16(XfNumber(cells[std::size_t(c)].Format));
                out.Add16(std::uint16_t(end));
            }
            out.End();
            col = end + 1;
        }
    }
}

// The height the spreadsheet application gives a row whose height was never set: the default,
// or more where a cell's font is larger than the default one (its line height, in 0.75-point
// steps), so that large text is not cut off.
std::uint16_t AutomaticRowHeight(const std::vector<TxlsCell> &cells, int first, int last,
                                 const std::vector<std::uint16_t> &fontHeights)
{
    std::uint16_t font = 0;
    for (int col = first; col <= last; ++col)
        font = std::max(font, fontHeights[cells[std::size_t(col)].Format]);
    if (font <= 200)
        return DefaultRowTwips;
    return std::uint16_t(std::min(8180, (font * 1275 / 1000 + 14) / 15 * 15));
}

void WriteSheet(TbiffStream &out, const TxlsSheet &sheet, bool active, const TsharedStrings &strings,
                const std::vector<std::uint16_t> &fontHeights)
{
    WriteBof(out, 0x0010);
    WriteSimple16(out, RecPrintGridlines, 0);
    WriteSimple16(out, RecGridSet, 1);
    out.Begin(RecDefaultRowHeight);
    out.Add16(0);
    out.Add16(DefaultRowTwips);
    out.End();
    WriteSimple16(out, RecWsBool, 0x04C1);
    WritePageSetup(out, sheet);
    WriteSimple16(out, RecDefColWidth, 8);
    WriteColumnWidths(out, sheet);

    const int rowCount = std::max(sheet.RowSlots(), sheet.RowHeightSlots());
    std::vector<std::pair<int, int>> used(static_cast<std::size_t>(rowCount));
    int firstRow = -1, lastRow = -1, firstCol = XlsMaxColumns, lastCol = -1;
    for (int row = 0; row < rowCount; ++row) {
        used[std::size_t(row)] = UsedColumns(sheet.Row(row));
        if (used[std::size_t(row)].first >= 0) {
            if (firstRow < 0)
                firstRow = row;
            lastRow = row;
            firstCol = std::min(firstCol, used[std::size_t(row)].first);
            lastCol = std::max(lastCol, used[std::size_t(row)].second);
        }
    }
    out.Begin(RecDimensions);
    out.Add32(firstRow < 0 ? 0 : std::uint32_t(firstRow));
    out.Add32(firstRow < 0 ? 0 : std::uint32_t(lastRow + 1));
    out.Add16(firstRow < 0 ? 0 : std::uint16_t(firstCol));
    out.Add16(firstRow < 0 ? 0 : std::uint16_t(lastCol + 1));
    out.Add16(0);
    out.End();

    // Rows go in blocks of 32: the block's row records, then the cells of those rows.
    for (int blockStart = 0; blockStart < rowCount; blockStart += 32) {
        const int blockEnd = std::min(rowCount, blockStart + 32);
        for (int row = blockStart; row < blockEnd; ++row) {
            const auto [first, last] = used[std::size_t(row)];
            const std::uint16_t height = sheet.RowHeight(row);
            if (first < 0 && height == 0)
                continue;
            out.Begin(RecRow);
            out.Add16(std::uint16_t(row));
            out.Add16(std::uint16_t(first < 0 ? 0 : first));
            out.Add16(std::uint16_t(first < 0 ? 0 : last + 1));
            out.Add16(height ? height : AutomaticRowHeight(*sheet.Row(row), first, last, fontHeights));
            out.Add16(0);
            out.Add16(0);
            out.Add16(height ? 0x0140 : 0x0100);  // 0x40: height set by the user
            out.Add16(XfNumber(0));
            out.End();
        }
        for (int row = blockStart; row < blockEnd; ++row) {
            const auto [first, last] = used[std::size_t(row)];
            if (first >= 0)
                WriteRowCells(out, row, *sheet.Row(row), first, last, strings);
        }
    }

    out.Begin(RecWindow2);
    out.Add16(active ? 0x06B6 : 0x00B6);  // grid, headers, zeros, outline; selected and shown
    out.Add16(0);
    out.Add16(0);
    out.Add16(64);
    out.Add16(0);
    out.Add16(0);
    out.Add16(0);
    out.Add32(0);
    out.End();
    out.Record(RecEof, {});
}

qint64 EstimatedSize(const TxlsWorkbook &book)
{
    qint64 cells = 0;
    for (const auto &sheet : book.Sheets)
        cells += qint64(sheet->RowSlots()) * XlsMaxColumns;
    return 64 * 1024 + cells * 14;
}

} // namespace

QByteArray BuildWorkbookStream(const TxlsWorkbook &book)
{
    if (book.Sheets.empty())
        throw EKanvoError(QStringLiteral("A workbook must have at least one sheet"));
    if (book.Styles.FormatCount() > XlsMaxCellFormats)
        throw EKanvoError(QStringLiteral("The workbook has %1 different cell formats; the file "
                                         "format allows at most %2")
                              .arg(book.Styles.FormatCount())
                              .arg(XlsMaxCellFormats));
    const TsharedStrings strings = CollectStrings(book);
    TbiffStream out;
    out.Data.reserve(EstimatedSize(book));
    std::vector<qint64> sheetOffsetFields;
    WriteGlobals(out, book, strings, sheetOffsetFields);
    std::vector<std::uint16_t> fontHeights(std::size_t(book.Styles.FormatCount()));
    for (std::size_t id = 0; id < fontHeights.size(); ++id)
        fontHeights[id] = book.Styles.Font(book.Styles.Format(std::uint32_t(id)).Font).Height;
    for (std::size_t i = 0; i < book.Sheets.size(); ++i) {
        out.Patch32(sheetOffsetFields[i], std::uint32_t(out.Position()));
        WriteSheet(out, *book.Sheets[i], int(i) == book.ActiveSheet, strings, fontHeights);
    }
    // The container keeps streams under 4096 bytes elsewhere; readers stop at the last EOF.
    if (out.Data.size() < 4096)
        out.Data.append(4096 - out.Data.size(), '\0');
    return out.Data;
}

void WriteXlsFile(const TxlsWorkbook &book, const QString &fileName)
{
    auto fail = [&](const QString &why) {
        return EKanvoError(QStringLiteral("Cannot save the workbook \"%1\": %2").arg(fileName, why));
    };
    const QByteArray stream = BuildWorkbookStream(book);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw fail(file.errorString());
    try {
        WriteCompoundFile(file, QStringLiteral("Workbook"), stream);
    } catch (const EKanvoError &error) {
        file.cancelWriting();
        throw fail(error.Message());
    }
    if (!file.commit())
        throw fail(file.errorString());
}
