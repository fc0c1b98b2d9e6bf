// Writing and reading a full-size scheme file (1000 x 1000 stitches, 50 colours) in memory: the
// text the Save command writes, and the parse plus raster rebuild of the Open command.
#include "fullSizeScheme.h"
#include "document/serializableSheme.h"

#include <QBuffer>
#include <benchmark/benchmark.h>

namespace {

void BM_WriteScheme(benchmark::State &state)
{
    const auto scheme = FullSizeScheme();
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        WriteSchemeXml(TserializableBitmap::CreateFromBitmap(*scheme, "Glifa", "DMC"), buffer);
        bytes = buffer.size();
        benchmark::DoNotOptimize(buffer.data().constData());
    }
    state.counters["bytes"] = double(bytes);
}

void BM_ReadScheme(benchmark::State &state)
{
    const QByteArray text = SchemeXmlText(TserializableBitmap::CreateFromBitmap(*FullSizeScheme(), "Glifa", "DMC"));
    for (auto _ : state) {
        TserializableBitmap scheme;
        ReadSchemeXml(scheme, text);
        const auto bitmap = scheme.ToIndexBitmap();
        benchmark::DoNotOptimize(bitmap->Indices.data());
    }
    state.counters["bytes"] = double(text.size());
}

}  // namespace

BENCHMARK(BM_WriteScheme)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadScheme)->Unit(benchmark::kMillisecond);
