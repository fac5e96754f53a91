// make-demo-cartridge: writes the demo cartridge the editor's tests and
// manual checks use. Usage: make-demo-cartridge [--] <output.nes>
#include "DemoCartridge.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr std::uint32_t DemoSeed = 0x0A11CE5Du;

int fail(const std::string& file, const std::string& reason)
{
    std::cerr << "make-demo-cartridge: cannot write \"" << file << "\": " << reason << '\n';
    return 1;
}

// Writes through a temporary file beside the target and renames it into
// place, so a failed run never leaves a half-written cartridge behind.
int writeAtomically(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes)
{
    std::random_device entropy;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp-%08x", static_cast<unsigned>(entropy()));
    std::filesystem::path temp = target;
    temp += suffix;

    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out)
        return fail(target.string(), std::strerror(errno));
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), out);
    const int writeErrno = errno;
    const bool flushed = std::fflush(out) == 0;
    const int flushErrno = errno;
    const bool closed = std::fclose(out) == 0;
    if (written != bytes.size() || !flushed || !closed) {
        const int code = written != bytes.size() ? writeErrno : flushed ? errno : flushErrno;
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return fail(target.string(), code ? std::strerror(code) : "write failed");
    }

    std::error_code error;
    std::filesystem::rename(temp, target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return fail(target.string(), error.message());
    }
    return 0;
}

constexpr const char* Usage = "usage: make-demo-cartridge [--] <output.nes>\n"
                              "Writes the demo cartridge to <output.nes>, replacing any file of that name.\n"
                              "  --help  print this text and exit\n"
                              "  --      ends the options: a name after it may begin with \"-\"\n";

// Prints `problem` and the usage on standard error; 2, the exit code of a wrong command line.
int usageError(const std::string& problem)
{
    std::cerr << "make-demo-cartridge: " << problem << "\n" << Usage;
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> names;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            std::cout << Usage;
            return 0;
        } else if (options && argument.size() > 1 && argument[0] == '-') {
            return usageError("unknown option \"" + argument + "\"");
        } else {
            names.push_back(argument);
        }
    }
    if (names.size() != 1) {
        return usageError(names.empty() ? "no output file given" : "it writes one output file, not more");
    }
    if (names[0].empty()) {
        return usageError("the output file's name is empty");
    }
    const std::filesystem::path target = names[0];
    std::vector<std::uint8_t> image;
    try {
        image = DemoCartridge::build(DemoSeed);
    } catch (const std::exception& e) {
        std::cerr << "make-demo-cartridge: cannot generate the overworld for \"" << target.string()
                  << "\": " << e.what() << '\n';
        return 1;
    }
    if (std::filesystem::is_directory(target))
        return fail(target.string(), "it is a directory");
    return writeAtomically(target, image);
}
