#pragma once

#include "PixelCanvas.h"

// The program icon: a globe wearing a crown. Key 'z' marks transparent pixels.
namespace IconArt {

inline constexpr char Transparent = 'z';

PixelCanvas icon32();
// The same picture with every pixel doubled.
PixelCanvas icon64();

}  // namespace IconArt
