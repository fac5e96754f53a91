#pragma once

#include "PixelCanvas.h"

// The program icon: a globe wearing a crown. Key 'z' marks transparent pixels.
namespace IconArt {

inline constexpr char Transparent = 'z';

PixelCanvas icon32();
// The same picture with every pixel doubled.
PixelCanvas icon64();

// The same subject drawn for 16 pixels.
PixelCanvas icon16();

// The sizes of the desktop theme's icons, and the picture at one of them:
// 16 drawn on its own, whole multiples of the 32-pixel picture with every
// pixel repeated, 48 taken from it nearest-neighbour; never smoothed.
inline constexpr int DesktopSizes[] = {16, 32, 48, 64, 128, 256};
QImage desktopIcon(int size);

}  // namespace IconArt
