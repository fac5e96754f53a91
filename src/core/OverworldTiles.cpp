#include "core/OverworldTiles.h"

#include "core/CartridgeImage.h"

#include <cstring>

namespace OverworldTiles {

// The blocks lie one after another with a gap between them, rows in order
// within each, so a block's 8,192 bytes are 32 whole rows of the overworld.
QByteArray FromImage(const CartridgeImage& image)
{
    QByteArray tiles(Count, '\0');
    for (int block = 1; block <= MapGeometry::Blocks; ++block) {
        const qint32 start = *MapGeometry::BlockStart(block);
        std::memcpy(tiles.data() + (block - 1) * MapGeometry::BlockBytes,
                    image.bytes().constData() + (start - CartridgeImage::FirstIndex), MapGeometry::BlockBytes);
    }
    return tiles;
}

QList<MapEditCommand::Change> Changes(const CartridgeImage& image, const QByteArray& tiles)
{
    QList<MapEditCommand::Change> changes;
    if (tiles.size() != Count) {
        return changes;
    }
    for (int row = 0; row < MapGeometry::Rows; ++row) {
        for (int column = 0; column < MapGeometry::Columns; ++column) {
            const qint32 index = ImageIndex(column, row);
            const auto after = static_cast<quint8>(tiles[row * MapGeometry::Columns + column]);
            if (image.at(index) != after) {
                changes.append({index, image.at(index), after});
            }
        }
    }
    return changes;
}

}  // namespace OverworldTiles
