#include "core/MapPainting.h"

#include "core/MapGeometry.h"
#include "core/TileRaster.h"

namespace MapPainting {

QRect DrawCell(QImage& picture, const QImage& strip, int column, int localRow, quint8 tile, const QColor& outline)
{
    if (!MapGeometry::IsCellInBlock(column, localRow)) {
        return {};
    }
    const int x = MapGeometry::CellSize * column;
    const int y = MapGeometry::CellSize * localRow;
    TileRaster::CopyTileToCell(strip, tile, picture, x, y);
    TileRaster::DrawCellOutline(picture, x, y, outline);
    return QRect(x, y, MapGeometry::CellSize + 1, MapGeometry::CellSize + 1);
}

}  // namespace MapPainting
