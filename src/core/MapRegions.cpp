#include "core/MapRegions.h"

#include "core/CartridgeImage.h"
#include "core/MapGeometry.h"

#include <vector>

namespace MapRegions {

MapCells FloodArea(const CartridgeImage& image, const MapCell& start, const QRect& limit)
{
    const QRect area = limit & MapCell::WorldArea();
    if (!start.isIn(area)) {
        return {};
    }
    const auto tileAt = [&image](const MapCell& cell) { return image.at(MapGeometry::MapByteOffset(cell)); };
    const quint8 tile = tileAt(start);
    // Every cell is queued at most once: marked when it joins the area.
    std::vector<bool> seen(MapCell::Columns * MapCell::Rows, false);
    const auto key = [](const MapCell& cell) { return cell.row * MapCell::Columns + cell.column; };
    MapCells cells{start};
    seen[key(start)] = true;
    for (qsizetype next = 0; next < cells.size(); ++next) {
        const MapCell cell = cells[next];
        for (const MapCell& neighbour : {MapCell{cell.column - 1, cell.row}, MapCell{cell.column + 1, cell.row},
                                         MapCell{cell.column, cell.row - 1}, MapCell{cell.column, cell.row + 1}}) {
            if (neighbour.isIn(area) && !seen[key(neighbour)] && tileAt(neighbour) == tile) {
                seen[key(neighbour)] = true;
                cells.append(neighbour);
            }
        }
    }
    return cells;
}

MapCellChanges Fill(const CartridgeImage& image, const MapCells& cells, quint8 tile)
{
    MapCellChanges changes;
    changes.reserve(cells.size());
    for (const MapCell& cell : cells) {
        const qint32 index = MapGeometry::MapByteOffset(cell);
        if (image.at(index) != tile) {
            changes.append({index, image.at(index), tile});
        }
    }
    return changes;
}

MapCells CellsOf(const QRect& rectangle)
{
    const QRect cells = rectangle & MapCell::WorldArea();
    MapCells list;
    list.reserve(qsizetype(cells.width()) * cells.height());
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        for (int column = cells.left(); column <= cells.right(); ++column) {
            list.append({column, row});
        }
    }
    return list;
}

}  // namespace MapRegions
