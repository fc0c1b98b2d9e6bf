// Writing and reading a full-size scheme file (1000 x 1000 stitches, 50 colours) in memory: the
// text the Save command writes, and the parse plus raster rebuild of the Open command.
#include "document/serializableSheme.h"

#include <QBuffer>
#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<TindexBitmap> FullSizeScheme()
{
    constexpr int side = 1000;
    constexpr int colours = 50;
    auto list = std::make_unique<TrgbArray>(colours);
    for (int i = 0; i < colours; ++i)
        list->SetItem(i, TcountColor(i * 5, 255 - i * 5, (i * 37) % 256, 0, QByteArray::number(3800 + i),
                                     char(48 + i)));
    auto scheme = std::make_unique<TindexBitmap>(side, side, std::move(list));
    // An uneven pattern, so that no colour runs along a whole row.
    for (int row = 0; row < side; ++row) {
        for (int col = 0; col < side; ++col) {
            const int index = (row * 7 + col * 13 + (row * col) % 11) % colours;
            scheme->SetPixel(row, col, index);
            scheme->GetColor(index).IncCount();
        }
    }
    return scheme;
}

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
