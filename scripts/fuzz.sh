#!/usr/bin/env bash
# Builds the libFuzzer target over the text readers with clang and runs it for
# a bounded time: scripts/fuzz.sh [seconds] (default 60). Found crashes are
# written to build-fuzz/crashes/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SECONDS_TO_RUN="${1:-60}"
ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev

BUILD="$ROOT/build-fuzz"
cmake -S "$ROOT/tests/fuzz" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

# Work on a copy of the seed corpus, so the repository's seeds stay as they are.
mkdir -p "$BUILD/corpus" "$BUILD/crashes"
cp -n "$ROOT/tests/fuzz/corpus/"* "$BUILD/corpus/" 2>/dev/null || true
"$BUILD/fuzz_TextReaders" -max_total_time="$SECONDS_TO_RUN" -seed=1 -max_len=256 \
    -artifact_prefix="$BUILD/crashes/" "$BUILD/corpus" 2>&1 | tail -n 5
