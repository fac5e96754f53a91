#pragma once

#include <array>
#include <cstdint>

// The white digits that mark tile sheets 1 to 3 ("1", "2", "3"). Each glyph is
// 6 pixels wide and 9 tall and sits at the top left corner of its cell; a set
// bit is a pure white pixel, a clear bit leaves the terrain picture alone.
// Bit 5 of a row is the leftmost pixel.
namespace TileGlyphs {

inline constexpr int Width = 6;
inline constexpr int Height = 9;

using Glyph = std::array<std::uint8_t, Height>;

// Rows written as the pattern reads: ...XX. is 0b000110.
inline constexpr std::array<Glyph, 3> Digits = {{
    // "1"
    {0b000110, 0b001110, 0b111110, 0b000110, 0b000110, 0b000110, 0b000110, 0b000110, 0b000110},
    // "2"
    {0b011110, 0b110011, 0b110011, 0b000011, 0b000110, 0b001100, 0b011000, 0b110000, 0b111111},
    // "3"
    {0b011110, 0b110011, 0b110011, 0b000011, 0b001110, 0b000011, 0b110011, 0b110011, 0b011110},
}};

// True where digit d (1 to 3) sets pixel (x, y) of a cell.
constexpr bool IsSet(int d, int x, int y)
{
    if (d < 1 || d > 3 || x < 0 || x >= Width || y < 0 || y >= Height) {
        return false;
    }
    return (Digits[static_cast<std::size_t>(d - 1)][static_cast<std::size_t>(y)] >> (Width - 1 - x)) & 1U;
}

}  // namespace TileGlyphs
