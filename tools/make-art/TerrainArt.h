#pragma once

#include "PixelCanvas.h"

// The 64 overworld terrain pictures, 16 x 16 each. The numbering is shared
// with the map data, so a number's meaning must never change.
namespace TerrainArt {

inline constexpr int Count = 64;
inline constexpr int Size = 16;

PixelCanvas tile(int index);

}  // namespace TerrainArt
