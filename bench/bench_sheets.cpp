// The scheme sheets at full size (1000 x 1000 stitches, 50 colours): a full refresh as after
// opening a file, a view-mode change between two symbol views, and painting one screenful of the
// grid. The refresh also reports the resident memory of the process holding that book.
#include "fullSizeScheme.h"
#include "document/colorsKitList.h"
#include "document/schemeDocument.h"
#include "view/schemeSheets.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <unistd.h>

#ifdef KANVO_BENCH_UI
#include "view/ui/sheetGrid.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#endif

namespace {

// A document with the full-size scheme loaded, its kit list and sheets, not yet refreshed.
struct TloadedSheets {
    TsheetBook Book;
    TschemeDocument Document;
    TcolorsKitList KitList;
    TschemeSheets Sheets{Book, Document, KitList};

    TloadedSheets()
    {
        Document.ReplaceBitmap(FullSizeScheme(4));
        Document.SymbolFontName = QStringLiteral("DejaVu Sans");
        Document.KitName = QStringLiteral("DMC");
        Document.SchemeLoaded = true;
        KitList.Rebuild(*Document.SchemeBitmap);
    }
};

double ResidentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

void BM_RefreshSheetsFull(benchmark::State &state)
{
    TloadedSheets sheets;
    for (auto _ : state)
        sheets.Sheets.RefreshSheets(true);
    state.counters["resident_MB"] = ResidentMegabytes();
    state.counters["styles"] = sheets.Book.Styles().Count();
}
BENCHMARK(BM_RefreshSheetsFull)->Unit(benchmark::kMillisecond);

void BM_ViewModeSwitch(benchmark::State &state)
{
    TloadedSheets sheets;
    sheets.Sheets.RefreshSheets(true);
    for (auto _ : state) {
        state.PauseTiming();
        sheets.Sheets.ViewMode = TviewMode::HalfTone;
        sheets.Sheets.RefreshSheets(false);
        state.ResumeTiming();
        sheets.Sheets.ViewMode = TviewMode::SymbolsAndColors;
        sheets.Sheets.RefreshSheets(false);
    }
}
BENCHMARK(BM_ViewModeSwitch)->Unit(benchmark::kMicrosecond);

#ifdef KANVO_BENCH_UI
// Widgets need an application object; the benchmark program has none of its own.
bool EnsureApplication()
{
    if (QCoreApplication::instance())
        return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kanvo_bench";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return true;
}

void BM_PaintScreen(benchmark::State &state)
{
    if (!EnsureApplication()) {
        state.SkipWithError("another application object is not a widget application");
        return;
    }
    TloadedSheets sheets;
    sheets.Sheets.ViewMode = TviewMode::SymbolsAndColors;
    sheets.Sheets.RefreshSheets(true);
    TsheetGrid grid(sheets.Book);
    grid.resize(1280 + 40, 800 + 40);  // room for the frame and scroll bars around the viewport
    grid.viewport()->resize(1280, 800);
    grid.horizontalScrollBar()->setValue(6000);
    grid.verticalScrollBar()->setValue(6000);
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintScreen)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
