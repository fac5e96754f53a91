#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz/fuzz_*.cpp) with clang and runs
# them for a bounded time each: scripts/fuzz.sh [seconds] [target] (default
# 60 seconds, every target: TextReaders, Patches, Journal, MapReaders,
# Clipboard). Found crashes are written to build-fuzz/crashes/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SECONDS_TO_RUN="${1:-60}"
TARGETS="${2:-}"
ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev

BUILD="$ROOT/build-fuzz"
cmake -S "$ROOT/tests/fuzz" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

if [ -z "$TARGETS" ]; then
    TARGETS="$(cd "$ROOT/tests/fuzz" && ls fuzz_*.cpp | sed -e 's/^fuzz_//' -e 's/\.cpp$//')"
fi
# Work on a copy of the seed corpus, so the repository's seeds stay as they are.
for TARGET in $TARGETS; do
    mkdir -p "$BUILD/corpus/$TARGET" "$BUILD/crashes"
    cp -n "$ROOT/tests/fuzz/corpus/$TARGET/"* "$BUILD/corpus/$TARGET/" 2>/dev/null || true
    echo "== $TARGET"
    "$BUILD/fuzz_$TARGET" -max_total_time="$SECONDS_TO_RUN" -seed=1 \
        -artifact_prefix="$BUILD/crashes/$TARGET-" "$BUILD/corpus/$TARGET" 2>&1 | tail -n 5
done
