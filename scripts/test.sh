#!/usr/bin/env bash
# Installs what is missing, checks the format of every source file,
# builds with AddressSanitizer and UndefinedBehaviorSanitizer (warnings as
# errors) and runs every test headless through ctest, the fuzzers and the
# check of the installed tree (its desktop entry and AppStream metainfo
# validated) and of the Debian package (lintian's verdict) among them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# clang-format checks the layout; localedef (locales) makes the decimal-comma
# locale the number tests run under; the desktop-file and AppStream validators
# check what an install puts on a desktop; Tiled's own tools (tiled,
# tmxrasterizer) read and draw the map files the editor writes; the benchmarks
# are built (not run) so they keep up with the code; the packaging tools make
# and check the Debian package.
ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev clang-format locales desktop-file-utils appstream \
                tiled libbenchmark-dev "${PACKAGE_TOOLS[@]}"

# Every .cpp and .h file of the sources as .clang-format describes it, found
# in the tree itself, so a copy without git's files (a downloaded archive) is
# checked alike.
find "$ROOT/src" "$ROOT/tests" "$ROOT/tools" "$ROOT/bench" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run --Werror

# The fuzzers (tests/fuzz/fuzz_*.cpp) are built with clang on their own; ctest runs each briefly.
FUZZ="$ROOT/build-fuzz"
cmake -S "$ROOT/tests/fuzz" -B "$FUZZ" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$FUZZ" -j"$(nproc)"

# The Debian package is made from a Release build of its own, as
# scripts/package.sh makes it (and in the same folder, so either reuses the
# other's build); ctest's package_contents packs it and checks the package.
PACKAGE_BUILD="$ROOT/build-package"
configure_package_build "$PACKAGE_BUILD"
cmake --build "$PACKAGE_BUILD" -j"$(nproc)"

BUILD="$ROOT/build-test"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=ON -DORVANE_WERROR=ON \
      -DORVANE_BUILD_TESTS=ON -DORVANE_BUILD_BENCH=ON -DORVANE_FUZZ_DIR="$FUZZ" \
      -DORVANE_PACKAGE_BUILD="$PACKAGE_BUILD" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$BUILD"
ctest --output-on-failure --timeout 900 -j"$(nproc)"
