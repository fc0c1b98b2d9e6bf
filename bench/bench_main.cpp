// The one entry point of kanvo_bench; every bench_*.cpp file registers its own benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
