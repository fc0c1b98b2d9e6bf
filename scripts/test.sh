#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole suite:
#  1. the core tests under AddressSanitizer and UndefinedBehaviorSanitizer (clang), with the
#     libFuzzer targets run for a short while each over their seed corpora;
#  2. every test of the normal build, ending with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
jobs=$(nproc)

CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DKANVO_BUILD_UI=OFF -DKANVO_BUILD_BENCH=OFF -DKANVO_SANITIZE=ON -DKANVO_FUZZ=ON
cmake --build build-san -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-san --output-on-failure -j "$jobs"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
