#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The complete demo cartridge image: our own header, program filler, the
// overworld blocks and the game tables the editor knows about.
class DemoCartridge {
public:
    static constexpr std::size_t BankSize = 16384;
    static constexpr std::size_t BankCount = 16;
    static constexpr std::size_t HeaderSize = 16;
    static constexpr std::size_t FileSize = HeaderSize + BankCount * BankSize;  // 262160

    // Builds the image; the same seed always gives the same bytes.
    static std::vector<std::uint8_t> build(std::uint32_t seed);
};
