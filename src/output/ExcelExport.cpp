#include "output/ExcelExport.h"

#include "output/automation/automationRegistry.h"

namespace {

// Constants of the spreadsheet application's object model.
constexpr std::int32_t xlWorkbookNormal = -4143;
constexpr std::int32_t xlCenter = -4108;
constexpr std::int32_t xlLeft = -4131;
constexpr std::int32_t xlContinuous = 1;
constexpr std::int32_t xlHairline = 1;
constexpr std::int32_t xlThin = 2;
constexpr std::int32_t xlPortrait = 1;
constexpr std::int32_t xlLandscape = 2;
constexpr std::int32_t xlEdgeBottom = 9;
constexpr std::int32_t xlEdgeRight = 10;
constexpr std::int32_t TextUpwards = 90;
constexpr std::int32_t Silver = 0xC0C0C0;
constexpr std::int32_t Black = 0;
constexpr int MaxAddressList = 255;  // with the leading ";" that is cut off before sending
constexpr std::int32_t WhiteIndex = 2;  // palette position 2: the sheets' white, never rewritten
constexpr std::int32_t LightSymbolIndex = 3;
constexpr std::int32_t DarkSymbolIndex = 4;

const QString PreparingStep = QStringLiteral("Cross-stitch scheme preparing, page %1...");
const QString DecoratingStep = QStringLiteral("Cross-stitch scheme decorating, page %1...");
const QString TableStep = QStringLiteral("Colors table preparing...");

class TsilentProgress : public IWorkbookExportProgress {
public:
    void Show() override {}
    void SetStepName(const QString &) override {}
    void SetFullMaximum(int) override {}
    void SetFullPosition(int) override {}
    void SetPartMaximum(int) override {}
    void SetPartPosition(int) override {}
    void Repaint() override {}
};

// Runs a call whose failure the export tolerates (the application may lack a printer, for one).
template <class TCall>
bool Guarded(TCall call)
{
    try {
        call();
        return true;
    } catch (const EKanvoError &) {
        return false;
    }
}

void CheckSource(const TworkbookExportSource &source)
{
    const qint64 stitches = qint64(source.Width) * qint64(source.Height);
    if (source.Width < 1 || source.Height < 1 || qint64(source.Pixels.size()) != stitches)
        throw EKanvoError(QStringLiteral("The scheme to export is empty or damaged"));
    if (source.Height > 65535)
        throw EKanvoError(QStringLiteral("The scheme has %1 rows; a workbook sheet holds at most 65535")
                              .arg(source.Height));
    const std::int32_t colors = std::int32_t(source.Colors.size());
    for (const std::int32_t index : source.Pixels)
        if (index < 0 || index >= colors)
            throw EKanvoError(QStringLiteral("The scheme to export is damaged: a stitch has colour %1 "
                                             "of %2")
                                  .arg(index)
                                  .arg(colors));
}

// The workbook colour of scheme colour k: palette position k + 6. Colours past the palette's
// room (only from scheme files made elsewhere) look as the scheme sheets show them: white, with a
// black symbol.
std::int32_t FillIndex(int k)
{
    return k < WorkbookMaxColors ? k + 6 : WhiteIndex;
}

class TworkbookExport {
public:
    TworkbookExport(const TworkbookExportSource &source, IWorkbookExportProgress &progress)
        : m_source(source), m_bar(progress), m_lists(source.Colors.size()),
          m_pages((source.Width + WorkbookPageColumns - 1) / WorkbookPageColumns)
    {
        m_symbolView = source.ViewMode == TworkbookViewMode::SymbolsAndColors;
        m_colorsOnly = source.ViewMode == TworkbookViewMode::ColorsOnly;
    }

    void Run(const QString &fileName);

private:
    void Connect();
    void SetPalette();
    void Page(int page);
    void SendBatches(const TautoValue &sheet, int color);
    void ColorsTable();
    TautoValue AddSheetAtEnd();
    TautoValue Range(const TautoValue &sheet, int top, int left, int bottom, int right) const
    {
        return sheet.Get(QStringLiteral("Range"), {sheet.Get(QStringLiteral("Cells"), {top, left}),
                                                   sheet.Get(QStringLiteral("Cells"), {bottom, right})});
    }
    void GridLines(const TautoValue &range) const;
    void Part(int position)
    {
        m_bar.SetPartPosition(position);
        m_bar.Repaint();
    }

    const TworkbookExportSource &m_source;
    IWorkbookExportProgress &m_bar;
    std::vector<std::vector<QString>> m_lists;  // cell addresses of each colour on the page
    const int m_pages;
    bool m_symbolView = false;
    bool m_colorsOnly = false;
    bool m_paletteSet = false;
    int m_sheetCount = 0;
    TautoValue m_application;
    TautoValue m_workbook;
};

void TworkbookExport::Run(const QString &fileName)
{
    Connect();
    m_bar.Show();
    SetPalette();
    m_bar.SetFullMaximum(2 * m_pages + 1);
    m_sheetCount = m_workbook.Get(QStringLiteral("WorkSheets")).Get(QStringLiteral("Count")).ToInteger();
    for (int page = 1; page <= m_pages; ++page)
        Page(page);
    ColorsTable();
    m_bar.SetPartPosition(3);
    m_bar.SetFullPosition(2 * m_pages + 1);
    m_bar.Repaint();
    m_workbook.Call(QStringLiteral("SaveAs"),
                    TautoArgs::Named({{QStringLiteral("Filename"), fileName},
                                      {QStringLiteral("FileFormat"), xlWorkbookNormal},
                                      {QStringLiteral("Password"), QString()},
                                      {QStringLiteral("WriteResPassword"), QString()},
                                      {QStringLiteral("ReadOnlyRecommended"), false},
                                      {QStringLiteral("CreateBackup"), false}}));
    // The application stays running with the workbook; the user goes on working in it.
    m_application.Put(QStringLiteral("Visible"), true);
}

void TworkbookExport::Connect()
{
    try {
        m_application = CreateOleObject(QStringLiteral("Excel.Application"));
        m_workbook = m_application.Get(QStringLiteral("WorkBooks")).Call(QStringLiteral("Add"));
    } catch (const EKanvoError &error) {
        throw EWorkbookConnectionError(error.Message());
    }
}

// The workbook palette takes the sheets' palette, so colour index i + 6 is scheme colour i. A
// failure stops the loop; the table then goes without swatches, whose colours would be wrong.
void TworkbookExport::SetPalette()
{
    m_paletteSet = Guarded([&] {
        for (int i = 1; i <= 56; ++i)
            m_workbook.Put(QStringLiteral("Colors"), {i}, std::int32_t(m_source.SheetPalette[std::size_t(i - 1)]));
    });
}

TautoValue TworkbookExport::AddSheetAtEnd()
{
    const TautoValue sheets = m_workbook.Get(QStringLiteral("WorkSheets"));
    const TautoValue last = m_workbook.Get(QStringLiteral("WorkSheets"),
                                           {m_workbook.Get(QStringLiteral("WorkSheets")).Get(QStringLiteral("Count"))});
    return sheets.Call(QStringLiteral("Add"), TautoArgs::Named({{QStringLiteral("After"), last}}));
}

// Hairline silver lines around and between all cells of the range.
void TworkbookExport::GridLines(const TautoValue &range) const
{
    for (int edge = 7; edge <= 12; ++edge) {
        range.Get(QStringLiteral("Borders"), {edge}).Put(QStringLiteral("LineStyle"), xlContinuous);
        range.Get(QStringLiteral("Borders"), {edge}).Put(QStringLiteral("Weight"), xlHairline);
        range.Get(QStringLiteral("Borders"), {edge}).Put(QStringLiteral("Color"), Silver);
    }
}

void TworkbookExport::Page(int page)
{
    for (auto &list : m_lists)
        list.clear();
    m_bar.SetStepName(PreparingStep.arg(page));
    m_bar.SetPartPosition(0);
    m_bar.SetPartMaximum(3);
    m_bar.Repaint();

    const int first = (page - 1) * WorkbookPageColumns;
    const int last = std::min(page * WorkbookPageColumns - 1, m_source.Width - 1);
    const int n = last - first + 1;
    const int height = m_source.Height;

    const TautoValue sheet = page > m_sheetCount ? AddSheetAtEnd()
                                                 : m_workbook.Get(QStringLiteral("WorkSheets"), {page});
    sheet.Put(QStringLiteral("Name"), QStringLiteral("Scheme, sheet %1").arg(page));
    Guarded([&] {
        const TautoValue rows = sheet.Get(QStringLiteral("Rows"), {1}).Get(QStringLiteral("Address"));
        sheet.Get(QStringLiteral("PageSetup")).Put(QStringLiteral("PrintTitleRows"), rows);
        const TautoValue columns = sheet.Get(QStringLiteral("Columns"), {1}).Get(QStringLiteral("Address"));
        sheet.Get(QStringLiteral("PageSetup")).Put(QStringLiteral("PrintTitleColumns"), columns);
    });
    Guarded([&] { sheet.Get(QStringLiteral("PageSetup")).Put(QStringLiteral("Orientation"), xlLandscape); });
    for (int row = height + 1; row >= 2; --row)
        sheet.Get(QStringLiteral("Rows"), {row}).Put(QStringLiteral("RowHeight"), 9);
    sheet.Get(QStringLiteral("Rows"), {1}).Put(QStringLiteral("RowHeight"), 21);
    for (int col = n + 1; col >= 2; --col)
        sheet.Get(QStringLiteral("Columns"), {col}).Put(QStringLiteral("ColumnWidth"), 1);
    sheet.Get(QStringLiteral("Columns"), {1}).Put(QStringLiteral("ColumnWidth"), 3);

    // The page's text goes in one block: symbols, row numbers down the left, column numbers on top.
    TautoBlock block(height + 1, n + 1);
    std::vector<QString> letters(std::size_t(n) + 2);
    for (int col = 2; col <= n + 1; ++col)
        letters[std::size_t(col)] = ColumnLetters(col);
    for (int r = height - 1; r >= 0; --r) {
        const std::int32_t *row = m_source.Pixels.data() + std::size_t(r) * std::size_t(m_source.Width);
        const QString sheetRow = QString::number(r + 2);
        for (int c = last; c >= first; --c) {
            const std::int32_t k = row[c];
            if (!m_colorsOnly)
                block.At(r + 1, c - first + 1) = m_source.Colors[std::size_t(k)].Symbol;
            m_lists[std::size_t(k)].push_back(letters[std::size_t(c - first + 2)] + sheetRow);
        }
        block.At(r + 1, 0) = QString::number(r + 1);
    }
    for (int c = last; c >= first; --c)
        block.At(0, c - first + 1) = QString::number(c + 1);
    const TautoValue all = Range(sheet, 1, 1, height + 1, n + 1);
    all.Put(QStringLiteral("Value"), TautoValue(std::move(block)));
    Part(1);

    all.Get(QStringLiteral("Font")).Put(QStringLiteral("Name"), m_source.SymbolFontName);
    all.Get(QStringLiteral("Font")).Put(QStringLiteral("Size"), 8);
    all.Put(QStringLiteral("HorizontalAlignment"), xlCenter);
    all.Put(QStringLiteral("VerticalAlignment"), xlCenter);
    GridLines(all);
    const TautoValue header = Range(sheet, 1, 1, 1, n + 1);
    Guarded([&] { header.Put(QStringLiteral("Orientation"), TextUpwards); });
    header.Get(QStringLiteral("Font")).Put(QStringLiteral("Name"), QStringLiteral("Arial Narrow"));
    header.Get(QStringLiteral("Font")).Put(QStringLiteral("Size"), 7);
    const TautoValue numbers = Range(sheet, 1, 1, height + 1, 1);
    numbers.Get(QStringLiteral("Font")).Put(QStringLiteral("Name"), QStringLiteral("Arial Narrow"));
    numbers.Get(QStringLiteral("Font")).Put(QStringLiteral("Size"), 7);
    Part(2);

    // Black lines under the header and every tenth scheme row, and right of the number column
    // and every tenth scheme column, counted over the whole scheme.
    for (int r = 0; r < height; r += 10) {
        const TautoValue border = Range(sheet, r + 1, 1, r + 1, n + 1).Get(QStringLiteral("Borders"), {xlEdgeBottom});
        border.Put(QStringLiteral("Color"), Black);
        border.Put(QStringLiteral("Weight"), xlThin);
    }
    for (int x = first - first % 10; x <= last; x += 10) {
        const int v = x < first ? 1 : x - first + 1;
        const TautoValue border = Range(sheet, 1, v, height + 1, v).Get(QStringLiteral("Borders"), {xlEdgeRight});
        border.Put(QStringLiteral("Color"), Black);
        border.Put(QStringLiteral("Weight"), xlThin);
    }
    Part(3);
    m_bar.SetFullPosition(2 * page - 1);

    const int colors = int(m_source.Colors.size());
    m_bar.SetStepName(DecoratingStep.arg(page));
    m_bar.SetPartPosition(0);
    m_bar.SetPartMaximum(colors);
    m_bar.Repaint();
    for (int k = colors - 1; k >= 0; --k) {
        if (!m_lists[std::size_t(k)].empty())
            SendBatches(sheet, k);
        Part(colors - k);
    }
    m_bar.SetFullPosition(2 * page);
}

// The application takes address lists of up to 255 characters, so a colour's cells go in
// batches; each batch is filled with the colour and given the symbol colour that reads on it.
void TworkbookExport::SendBatches(const TautoValue &sheet, int color)
{
    const bool inPalette = color < WorkbookMaxColors;
    const std::int32_t fill = FillIndex(color);
    const std::int32_t symbolColor =
        m_symbolView && inPalette && m_source.Colors[std::size_t(color)].Dark ? DarkSymbolIndex : LightSymbolIndex;
    QString batch;
    auto flush = [&] {
        const TautoValue cells = sheet.Get(QStringLiteral("Range"), {batch.mid(1)});
        cells.Get(QStringLiteral("Interior")).Put(QStringLiteral("ColorIndex"), fill);
        cells.Get(QStringLiteral("Font")).Put(QStringLiteral("ColorIndex"), symbolColor);
        batch.clear();
    };
    for (const QString &address : m_lists[std::size_t(color)]) {
        if (batch.size() + 1 + address.size() > MaxAddressList)
            flush();
        batch += QLatin1Char(';');
        batch += address;
    }
    if (!batch.isEmpty())
        flush();
}

void TworkbookExport::ColorsTable()
{
    m_bar.SetFullPosition(2 * m_pages);
    m_bar.SetStepName(TableStep);
    m_bar.SetPartPosition(0);
    m_bar.SetPartMaximum(3);
    m_bar.Repaint();

    const TautoValue sheet = m_pages < m_sheetCount ? m_workbook.Get(QStringLiteral("WorkSheets"), {m_pages + 1})
                                                    : AddSheetAtEnd();
    sheet.Put(QStringLiteral("Name"), QStringLiteral("Table of colors"));
    Guarded([&] {
        const TautoValue rows = sheet.Get(QStringLiteral("Rows"), {1}).Get(QStringLiteral("Address"));
        sheet.Get(QStringLiteral("PageSetup")).Put(QStringLiteral("PrintTitleRows"), rows);
    });
    Guarded([&] { sheet.Get(QStringLiteral("PageSetup")).Put(QStringLiteral("Orientation"), xlPortrait); });
    Part(1);

    const int count = int(m_source.KitRows.size());
    TautoBlock table(count + 2, 5);
    const char *const headers[] = {"Number", "Symbol", "Color", "Thread", "Count"};
    for (int col = 0; col < 5; ++col)
        table.At(0, col) = QString::fromLatin1(headers[col]);
    for (int i = 1; i <= count; ++i) {
        const TexportKitRow &row = m_source.KitRows[std::size_t(i - 1)];
        table.At(i, 0) = std::int32_t(i);
        table.At(i, 1) = row.Symbol;
        table.At(i, 2) = QString();
        table.At(i, 3) = row.Thread;
        table.At(i, 4) = row.Count;
    }
    table.At(count + 1, 0) = QStringLiteral("(%1)").arg(m_source.KitName);
    const TautoValue all = Range(sheet, 1, 1, count + 2, 5);
    all.Put(QStringLiteral("VerticalAlignment"), xlCenter);
    GridLines(all);
    all.Put(QStringLiteral("Value"), TautoValue(std::move(table)));
    Part(2);

    const TautoValue symbols = Range(sheet, 2, 2, count + 1, 2);
    symbols.Get(QStringLiteral("Font")).Put(QStringLiteral("Name"), m_source.SymbolFontName);
    symbols.Get(QStringLiteral("Font")).Put(QStringLiteral("Size"), 14);
    symbols.Put(QStringLiteral("HorizontalAlignment"), xlCenter);
    const TautoValue threads = Range(sheet, 2, 4, count + 1, 4);
    threads.Get(QStringLiteral("Font")).Put(QStringLiteral("Bold"), true);
    threads.Put(QStringLiteral("HorizontalAlignment"), xlLeft);

    if (m_paletteSet && (m_symbolView || m_colorsOnly))
        for (int i = 1; i <= count; ++i)
            Guarded([&] {
                sheet.Get(QStringLiteral("Cells"), {i + 1, 3})
                    .Get(QStringLiteral("Interior"))
                    .Put(QStringLiteral("ColorIndex"), FillIndex(m_source.KitRows[std::size_t(i - 1)].Num));
            });
}

} // namespace

void ExportWorkbook(const QString &FileName, const TworkbookExportSource &source,
                    IWorkbookExportProgress *progress)
{
    CheckSource(source);
    TsilentProgress silent;
    TworkbookExport(source, progress ? *progress : silent).Run(FileName);
}

QString ColumnLetters(int Index)
{
    if (Index < 1 || Index > 26 * 27)
        throw EKanvoError(QStringLiteral("Column %1 has no two-letter name").arg(Index));
    if (Index <= 26)
        return QString(QChar(u'A' + (Index - 1)));
    return QString(QChar(u'A' + ((Index - 1) / 26 - 1))) + QChar(u'A' + (Index - 1) % 26);
}
