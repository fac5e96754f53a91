#pragma once

#include <QList>
#include <QMetaType>
#include <QRect>

#include <optional>

// A cell of the overworld: its column (0..255, left to right) and its row
// over the whole map (0..255, top to bottom). Pointer positions can name
// cells off the map (a drag that leaves the picture); isOnMap() tells.
struct MapCell {
    // The map's counts, stated here only.
    static constexpr int Columns = 256;
    static constexpr int Rows = 256;
    static constexpr int BlockRows = 32;  // rows of one block
    static constexpr int Blocks = Rows / BlockRows;  // 8
    static constexpr int BlockCells = Columns * BlockRows;  // 8192, one byte each
    static constexpr int Count = Columns * Rows;  // 65536

    int column = 0;
    int row = 0;

    // The cell of `localRow` (0..31) in block `block` (1..8).
    static constexpr MapCell InBlock(int block, int localRow, int column)
    {
        return {column, (block - 1) * BlockRows + localRow};
    }

    constexpr bool isOnMap() const { return column >= 0 && column < Columns && row >= 0 && row < Rows; }
    constexpr int block() const { return row / BlockRows + 1; }
    constexpr int localRow() const { return row % BlockRows; }

    // The cells of a block, and of the whole overworld, as rectangles of cells.
    static constexpr QRect BlockArea(int block) { return {0, (block - 1) * BlockRows, Columns, BlockRows}; }
    static constexpr QRect WorldArea() { return {0, 0, Columns, Rows}; }
    constexpr bool isIn(const QRect& area) const
    {
        return column >= area.left() && column <= area.right() && row >= area.top() && row <= area.bottom();
    }

    friend constexpr bool operator==(const MapCell&, const MapCell&) = default;
};

using MapCells = QList<MapCell>;

Q_DECLARE_METATYPE(MapCell)
