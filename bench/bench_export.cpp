// Workbook export of a full-size scheme through the spreadsheet server: 1000 x 1000 stitches of
// 50 colours, four scheme sheets and the table, written to a real .xls file.
#include "output/ExcelExport.h"
#include "output/excelServer/excelApplication.h"
#include "output/xls/xlsWorkbook.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct TbenchScheme {
    std::vector<std::int32_t> Pixels;
    TworkbookExportSource Source;

    TbenchScheme(int size, int colors) : Pixels(std::size_t(size) * std::size_t(size))
    {
        std::vector<std::int32_t> counts(std::size_t(colors), 0);
        for (int r = 0; r < size; ++r)
            for (int c = 0; c < size; ++c) {
                // Patches of a colour with scattered stitches of others, as a photo gives.
                const int k = ((r / 16) * 7 + (c / 16) * 3 + ((r * 31 + c * 17) % 23 == 0 ? 11 : 0)) % colors;
                Pixels[std::size_t(r) * std::size_t(size) + std::size_t(c)] = k;
                ++counts[std::size_t(k)];
            }
        Source.Width = Source.Height = size;
        Source.Pixels = Pixels;
        Source.SymbolFontName = QStringLiteral("Glifa");
        Source.KitName = QStringLiteral("DMC");
        Source.ViewMode = TworkbookViewMode::SymbolsAndColors;
        Source.SheetPalette = TxlsWorkbook::DefaultPalette();
        for (int k = 0; k < colors; ++k) {
            const QString symbol(QChar(0x30 + k));
            Source.Colors.push_back({symbol, k % 3 == 0});
            Source.KitRows.push_back({k, symbol, QString::number(300 + k), counts[std::size_t(k)]});
            Source.SheetPalette[std::size_t(k + 5)] = TpackedColor(0x102030 + 0x030507 * k);
        }
    }
};

void BM_ExportWorkbook(benchmark::State &state)
{
    const TbenchScheme scheme(1000, 50);
    TworkbookOpenerScope noDesktop([](const QString &) {});
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("scheme.xls"));
    for (auto _ : state)
        ExportWorkbook(file, scheme.Source);
    state.counters["file_MB"] = double(QFileInfo(file).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ExportWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
