#!/usr/bin/env bash
# Installs what is missing, builds Kanvo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKANVO_BUILD_BENCH=OFF
cmake --build build --target kanvo kanvo-convert
exec build/bin/kanvo "$@"
