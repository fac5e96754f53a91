#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

// A promise a reader broke: the fuzzer stops and keeps the input that broke it.
inline void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// libFuzzer's flags are "-name=value" ("-help=1" lists them); it passes over
// anything else that starts with a dash and fuzzes on, without end when no
// time is given. "--help" prints the usage here, and such an option is refused.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    const char* program = (*argv)[0];
    for (int i = 1; i < *argc; ++i) {
        const char* argument = (*argv)[i];
        if (std::strcmp(argument, "--help") == 0) {
            std::printf("usage: %s [-flag=value]... [corpus folder or input file]...\n"
                        "Runs this fuzz target; -help=1 lists libFuzzer's flags.\n",
                        program);
            std::exit(0);
        }
        if (argument[0] == '-' && (argument[1] == '-' || !std::strchr(argument, '='))) {
            std::fprintf(stderr, "%s: unknown option \"%s\"; libFuzzer's flags are -name=value (-help=1 lists them)\n",
                         program, argument);
            std::exit(2);
        }
    }
    return 0;
}
