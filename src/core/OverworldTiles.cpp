#include "core/OverworldTiles.h"

#include "core/CartridgeImage.h"

#include <cstring>

namespace OverworldTiles {

// The blocks lie one after another with a gap between them, rows in order
// within each, so a block's 8,192 bytes are 32 whole rows of the overworld.
QByteArray FromImage(const CartridgeImage& image)
{
    QByteArray tiles(MapCell::Count, '\0');
    for (int block = 1; block <= MapCell::Blocks; ++block) {
        const qint32 start = *MapGeometry::BlockStart(block);
        std::memcpy(tiles.data() + (block - 1) * MapCell::BlockCells,
                    image.bytes().constData() + (start - CartridgeImage::FirstIndex), MapCell::BlockCells);
    }
    return tiles;
}

MapCellChanges Changes(const CartridgeImage& image, const QByteArray& tiles)
{
    MapCellChanges changes;
    if (tiles.size() != MapCell::Count) {
        return changes;
    }
    for (int row = 0; row < MapCell::Rows; ++row) {
        for (int column = 0; column < MapCell::Columns; ++column) {
            const qint32 index = ImageIndex(column, row);
            const auto after = static_cast<quint8>(tiles[row * MapCell::Columns + column]);
            if (image.at(index) != after) {
                changes.append({index, image.at(index), after});
            }
        }
    }
    return changes;
}

}  // namespace OverworldTiles
