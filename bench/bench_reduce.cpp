// Colour reduction of the 1000 x 1000 photograph to 50 threads of the DMC kit: Analyse and Reduce
// together, as the wizard runs them whenever a colour setting changes.
#include "colour/ocTrees.h"
#include "colour/rgbBitmaps.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {
const QImage &Photo()
{
    static const QImage photo(QStringLiteral(KANVO_TEST_DATA "/brushes-1000.jpg"));
    return photo;
}

void BM_Reduce(benchmark::State &state)
{
    const bool dither = state.range(0) != 0;
    const bool eyesight = state.range(1) != 0;
    if (Photo().isNull()) {
        state.SkipWithError("cannot read brushes-1000.jpg");
        return;
    }
    const TrgbBitmap picture(Photo());
    const auto tree = TocTree::LoadThreadKit(QStringLiteral(KANVO_THREADS_DIR "/DMC.thr"));
    QImage preview(picture.Width, picture.Height, QImage::Format_RGB32);
    TrgbColor::SetUseEyesight(eyesight);
    std::int32_t colours = 0;
    for (auto _ : state) {
        picture.Analyse(*tree);
        const auto scheme = picture.Reduce(50, dither, *tree, preview);
        colours = scheme->ColorCount();
        benchmark::DoNotOptimize(scheme->Indices.data());
    }
    TrgbColor::SetUseEyesight(true);
    state.counters["colours"] = colours;
}
}  // namespace

BENCHMARK(BM_Reduce)
    ->ArgNames({"dither", "eyesight"})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond);
