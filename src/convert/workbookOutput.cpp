#include "workbookOutput.h"
#include "common/ansiText.h"

#include "colour/rgbBitmaps.h"
#include "document/colorsKitList.h"
#include "document/schemeDocument.h"
#include "document/schemeFile.h"
#include "output/excelServer/excelApplication.h"
#include "output/workbookExportSource.h"
#include "schemeOutputs.h"
#include "view/sheetBook.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace {

TviewMode &ChosenView()
{
    static TviewMode mode = TviewMode::HalfTone;
    return mode;
}

struct TviewName {
    const char *Name;
    TviewMode Mode;
};

constexpr TviewName ViewNames[] = {
    {"symbols", TviewMode::SymbolsOnly},
    {"halftone", TviewMode::HalfTone},
    {"symbols-colors", TviewMode::SymbolsAndColors},
    {"colors", TviewMode::ColorsOnly},
};

TviewMode ParseView(const QString &text)
{
    for (const TviewName &view : ViewNames)
        if (text.compare(QLatin1String(view.Name), Qt::CaseInsensitive) == 0)
            return view.Mode;
    throw EUsageError(QStringLiteral("--view: '%1' is not a view mode (symbols, halftone, "
                                     "symbols-colors or colors)")
                          .arg(text));
}

// A progress bar on the terminal's error stream, redrawn in place; nothing when it is no terminal.
class TterminalProgress : public IWorkbookExportProgress {
public:
    TterminalProgress() : m_enabled(isatty(fileno(stderr)) != 0) {}
    ~TterminalProgress() override
    {
        if (m_enabled && m_drawn)
            std::fputs("\n", stderr);
    }
    void Show() override {}
    void SetStepName(const QString &name) override { m_step = name; }
    void SetFullMaximum(int maximum) override { m_fullMax = maximum; }
    void SetFullPosition(int position) override { m_full = position; }
    void SetPartMaximum(int maximum) override { m_partMax = maximum; }
    void SetPartPosition(int position) override { m_part = position; }
    void Repaint() override
    {
        if (!m_enabled || m_fullMax <= 0)
            return;
        double done = double(m_full) / m_fullMax;
        if (m_partMax > 0 && m_full < m_fullMax)
            done += double(std::min(m_part, m_partMax)) / m_partMax / m_fullMax;
        const int width = 30, filled = int(std::min(done, 1.0) * width + 0.5);
        const QByteArray line = QStringLiteral("\r[%1%2] %3% %4")
                                    .arg(QString(filled, QLatin1Char('#')), QString(width - filled, QLatin1Char(' ')))
                                    .arg(int(std::min(done, 1.0) * 100 + 0.5), 3)
                                    .arg(m_step.leftJustified(45))
                                    .toLocal8Bit();
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
        m_drawn = true;
    }

private:
    bool m_enabled;
    bool m_drawn = false;
    QString m_step;
    int m_fullMax = 0, m_full = 0, m_partMax = 0, m_part = 0;
};

std::unique_ptr<TindexBitmap> CopyOf(const TindexBitmap &scheme)
{
    auto colors = std::make_unique<TrgbArray>(scheme.ColorCount());
    for (int k = 0; k < scheme.ColorCount(); ++k)
        colors->SetItem(k, scheme.GetColor(k));
    auto copy = std::make_unique<TindexBitmap>(scheme.Height, scheme.Width, std::move(colors));
    copy->Indices = scheme.Indices;
    return copy;
}

} // namespace

void TakeWorkbookOptions(QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("--view")) {
            if (i + 1 >= arguments.size())
                throw EUsageError(QStringLiteral("--view needs a MODE"));
            ChosenView() = ParseView(arguments.at(i + 1));
            arguments.remove(i, 2);
            --i;
        } else if (argument.startsWith(QLatin1String("--view="))) {
            ChosenView() = ParseView(argument.mid(7));
            arguments.remove(i);
            --i;
        }
    }
}

QString WorkbookHelpText()
{
    return QStringLiteral(
        "\nWorkbook output (an OUTPUT ending in .xls), made as the program's Save As makes it:\n"
        "  --view <MODE>   The view the workbook shows: symbols, halftone (default),\n"
        "                  symbols-colors or colors.\n"
        "PICTURE may also be a .zel scheme file, which is then written as OUTPUT.\n");
}

void SaveSchemeWorkbook(const TindexBitmap &scheme, const QByteArray &fontName, const QByteArray &kitName,
                        const QString &path)
{
    // The state the program has after opening the scheme and choosing the view.
    TschemeDocument document;
    document.ReplaceBitmap(CopyOf(scheme));
    document.SymbolFontName = FromAnsi(fontName);
    document.KitName = FromAnsi(kitName);
    document.SchemeLoaded = true;
    TcolorsKitList kitList;
    kitList.Rebuild(*document.SchemeBitmap);
    TsheetBook book;
    TschemeSheets sheets(book, document, kitList);
    sheets.ViewMode = ChosenView();
    sheets.SetViewPalette();

    const TworkbookExportSource source = WorkbookExportSource(document, kitList, book, sheets.ViewMode);
    TworkbookOpenerScope noDesktop([](const QString &) {});
    TterminalProgress progress;
    ExportWorkbook(path, source, &progress);
}

bool IsSchemeFileInput(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("zel"), Qt::CaseInsensitive) == 0;
}

int ConvertSchemeFile(const TconvertOptions &options)
{
    QElapsedTimer timer;
    timer.start();
    if (!options.Preview.isEmpty())
        throw EUsageError(QStringLiteral("--preview needs a picture, not a scheme file"));
    const TschemeFileContents contents = LoadSchemeFile(options.Picture);
    const TschemeWriter write = FindSchemeWriter(options.Output);
    try {
        write(*contents.Bitmap, contents.FontName, contents.KitName, options.Output);
    } catch (const EKanvoError &error) {
        const QString message = error.Message();
        throw EKanvoError(message.contains(options.Output) ? message
                                                           : QStringLiteral("%1: %2").arg(options.Output, message));
    }
    const QByteArray line = QStringLiteral("%1: %2x%3 stitches, %4 colors, %5 ms\n")
                                .arg(options.Output)
                                .arg(contents.Bitmap->Width)
                                .arg(contents.Bitmap->Height)
                                .arg(contents.Bitmap->ColorCount())
                                .arg(timer.elapsed())
                                .toLocal8Bit();
    std::fputs(line.constData(), stdout);
    return 0;
}
