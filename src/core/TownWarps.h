#pragma once

#include "core/MapCell.h"

#include <QList>
#include <QPoint>

// The game's warps between towns fail when more than two towns stand on one
// screen. A screen is the 16 x 15 cells the game shows at once; the editor
// takes the screens as a fixed grid from the map's first cell: columns 0..15,
// 16..31 ... and rows 0..14, 15..29 ... (the last screen row holds row 255
// alone). The game scrolls, so this grid is the editor's approximation of
// "on one screen", and a warning, never a refusal.
namespace TownWarps {

inline constexpr int ScreenColumns = 16;
inline constexpr int ScreenRows = 15;

// The screen a cell lies on: x counts screens across, y down.
constexpr QPoint ScreenOf(const MapCell& cell)
{
    return {cell.column / ScreenColumns, cell.row / ScreenRows};
}

// The towns (indexes into `towns`) that share a screen with two others or
// more, one list per crowded screen, each in index order, the lists in the
// order of their first town.
QList<QList<int>> Crowds(const MapCells& towns);

}  // namespace TownWarps
