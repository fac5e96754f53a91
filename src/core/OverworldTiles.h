#pragma once

#include "core/MapCellChange.h"
#include "core/MapGeometry.h"

#include <QByteArray>
#include <QList>

class CartridgeImage;

// The whole overworld as one run of tile numbers, as map files hold it: 256
// rows of 256 cells, row 0 first, each row column 0 first. In the cartridge the
// same bytes lie in eight blocks of 32 rows.
namespace OverworldTiles {

// Image index (file offset) of overworld cell (column, row), row 0..255.
constexpr qint32 ImageIndex(int column, int row)
{
    return MapGeometry::MapByteOffset(*MapGeometry::BlockStart(MapGeometry::BlockOfRow(row)), row % MapCell::BlockRows,
                                      column);
}

// The 65,536 tiles of the overworld in the image.
QByteArray FromImage(const CartridgeImage& image);

// The map bytes that `tiles` (65,536 of them, as FromImage gives them) would
// change, in file-offset order, each with its value before and after: one
// undo step for an imported map. Empty when nothing changes or `tiles` does
// not hold exactly 65,536 bytes.
MapCellChanges Changes(const CartridgeImage& image, const QByteArray& tiles);

}  // namespace OverworldTiles
