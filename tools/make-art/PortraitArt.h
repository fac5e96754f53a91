#pragma once

#include "PixelCanvas.h"

// Class portraits and the herbs icon. The sizes are fixed by the game's
// picture slots, so each picture is drawn at exactly its own size.
namespace PortraitArt {

inline constexpr int ClassCount = 8;

// 0 Mage, 1 Bard, 2 Fighter, 3 Druid, 4 Tinker, 5 Paladin, 6 Ranger,
// 7 Shepherd.
PixelCanvas portrait(int classIndex);

PixelCanvas herbs();

}  // namespace PortraitArt
