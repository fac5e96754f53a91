#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

// A promise a reader broke: the fuzzer stops and keeps the input that broke it.
inline void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// libFuzzer's flags are "-name=value" (-help=1 lists them); it passes over any other argument that starts with a
// dash and fuzzes on, without end: "--help" prints the usage instead, and any other such argument is refused.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    for (int i = 1; i < *argc; ++i) {
        const std::string_view arg = (*argv)[i];
        if (arg.starts_with('-') && (arg.starts_with("--") || arg.find('=') == arg.npos)) {
            const bool help = arg == "--help";
            std::fprintf(help ? stdout : stderr, "%s%s%susage: %s [-name=value]... [corpus folder or input]...\n",
                         help ? "" : "unknown option \"", help ? "" : (*argv)[i], help ? "" : "\"\n", (*argv)[0]);
            std::exit(help ? 0 : 2);
        }
    }
    return 0;
}
