#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz/fuzz_*.cpp) with clang and runs one
# for a bounded time: scripts/fuzz.sh [seconds] [target] (default 60 seconds,
# TextReaders; Journal is the other). Found crashes are written to
# build-fuzz/crashes/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SECONDS_TO_RUN="${1:-60}"
TARGET="${2:-TextReaders}"
ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev

BUILD="$ROOT/build-fuzz"
cmake -S "$ROOT/tests/fuzz" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

# Work on a copy of the seed corpus, so the repository's seeds stay as they are.
mkdir -p "$BUILD/corpus/$TARGET" "$BUILD/crashes"
cp -n "$ROOT/tests/fuzz/corpus/$TARGET/"* "$BUILD/corpus/$TARGET/" 2>/dev/null || true
"$BUILD/fuzz_$TARGET" -max_total_time="$SECONDS_TO_RUN" -seed=1 \
    -artifact_prefix="$BUILD/crashes/$TARGET-" "$BUILD/corpus/$TARGET" 2>&1 | tail -n 5
