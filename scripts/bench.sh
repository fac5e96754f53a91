#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them offscreen, or on the display
# that QT_QPA_PLATFORM names (QT_QPA_PLATFORM=xcb for the figures "on X").
# Extra arguments go to Google Benchmark, e.g. --benchmark_filter=DrawBlock.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev

BUILD="$ROOT/build-bench"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target orvane-bench
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$BUILD/bench/orvane-bench" "$@"
