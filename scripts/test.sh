#!/usr/bin/env bash
# Installs what is missing, checks the format of every tracked source file,
# builds with AddressSanitizer and UndefinedBehaviorSanitizer (warnings as
# errors) and runs every test headless through ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# clang-format checks the layout; localedef (locales) makes the decimal-comma
# locale the number tests run under.
ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev clang-format locales

# Every tracked .cpp and .h file as .clang-format describes it.
(cd "$ROOT" && git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror)

# The fuzzer over the text readers is built with clang on its own; ctest runs it briefly.
FUZZ="$ROOT/build-fuzz"
cmake -S "$ROOT/tests/fuzz" -B "$FUZZ" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$FUZZ" -j"$(nproc)"

BUILD="$ROOT/build-test"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=ON -DORVANE_WERROR=ON \
      -DORVANE_BUILD_TESTS=ON -DORVANE_FUZZER="$FUZZ/fuzz_TextReaders" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$BUILD"
ctest --output-on-failure --timeout 900 -j"$(nproc)"
