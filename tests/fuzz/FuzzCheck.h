#pragma once

#include <cstdlib>

// A promise a reader broke: the fuzzer stops and keeps the input that broke it.
inline void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}
