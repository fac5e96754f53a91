#include "core/MapPainting.h"

#include "core/CartridgeImage.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"

namespace MapPainting {

QRect PaintCell(CartridgeImage& image, qint32 blockStart, QImage& picture, const QImage& strip, int column,
                int localRow, quint8 tile, const QColor& outline)
{
    const qint32 index = MapGeometry::MapByteOffset(blockStart, localRow, column);
    if (!MapGeometry::IsCellInBlock(column, localRow) || !CartridgeImage::contains(index)) {
        return {};
    }
    const int x = MapGeometry::CellSize * column;
    const int y = MapGeometry::CellSize * localRow;
    TileRaster::CopyTileToCell(strip, tile, picture, x, y);
    TileRaster::DrawCellOutline(picture, x, y, outline);
    image.set(index, tile);
    return QRect(x, y, MapGeometry::CellSize + 1, MapGeometry::CellSize + 1);
}

}  // namespace MapPainting
