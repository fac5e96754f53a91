#pragma once

#include "core/CartridgeImage.h"
#include "core/MapCell.h"

#include <QList>
#include <QString>

#include <optional>

// Where the overworld lies in the cartridge, how a pointer position becomes a
// cell, and every text in which a point, a block or a tile is shown or read back.
namespace MapGeometry {

// The map's counts are MapCell's (Columns, Rows, BlockRows, Blocks, BlockCells, Count).
inline constexpr int CellSize = 16;  // pixels of a map cell
inline constexpr int PictureWidth = MapCell::Columns * CellSize;  // 4096
inline constexpr int PictureHeight = MapCell::BlockRows * CellSize;  // 512
// Block 1 starts where the cartridge image starts.
inline constexpr qint32 FirstBlockStart = CartridgeImage::FirstIndex;
inline constexpr qint32 BlockStride = 16384;
// The cells of one block's picture: x the column, y the local row.
inline constexpr QRect BlockPicture{0, 0, MapCell::Columns, MapCell::BlockRows};

// First index of block 1..8 (16400 + (block - 1) * 16384); nothing for any other number.
constexpr std::optional<qint32> BlockStart(int block)
{
    if (block < 1 || block > MapCell::Blocks) {
        return std::nullopt;
    }
    return FirstBlockStart + (block - 1) * BlockStride;
}

// Index of the byte of a cell, given its block's first index.
constexpr qint32 MapByteOffset(qint32 blockStart, int localRow, int column)
{
    return blockStart + localRow * MapCell::Columns + column;
}

// Index of the byte of a cell on the map.
constexpr qint32 MapByteOffset(const MapCell& cell)
{
    return MapByteOffset(FirstBlockStart + (cell.block() - 1) * BlockStride, cell.localRow(), cell.column);
}

// The cell whose byte lies at image index `index`; nothing for a byte outside the map.
std::optional<MapCell> CellAtOffset(qint32 index);

// Pointer position in pixels to a cell coordinate: divided by 16, truncated toward zero.
int CellFromPointer(double position);

// True when a local cell lies inside the picture of a block.
constexpr bool IsCellInBlock(int column, int localRow)
{
    return column >= 0 && column < MapCell::Columns && localRow >= 0 && localRow < MapCell::BlockRows;
}

// The cells of the straight line from cell `from` to cell `to` (both ends
// included, in order from `from`) that lie inside `area`; the ends may lie
// anywhere, even far outside.
MapCells CellLine(MapCell from, MapCell to, const QRect& area);

constexpr int OverworldRow(int block, int localRow)
{
    return localRow + (block - 1) * MapCell::BlockRows;
}
constexpr int BlockOfRow(int row)
{
    return row / MapCell::BlockRows + 1;
}

// Texts.
QString ThreeDigits(int value);  // 7 -> "007"
QString PointReadout(int column, int row);  // "(012 ,045)"
QString LocationText(int row, int column);  // "(045, 012)"
QString BlockLabel(int block);  // "3"
QString TileReadout(int tile);  // "0A"
QString PadToTwoChars(const QString& text);  // "A" -> "0A"
QString DrawProgressCaption(int localRow, int column);  // "Loading Map - (001, 000)"

// What the pointer is over, for users who check a change in a hex editor:
// "Block 2 · row 45, column 12 · tile 2B · offset 0x8D1C".
QString CellDescription(const MapCell& cell, quint8 tile);

// A tile typed as hexadecimal: "0A" -> 10; empty or not hexadecimal -> nothing.
std::optional<quint8> ReadTileReadout(const QString& text);
// A number typed as the editor shows tiles, in hexadecimal, alone or after "$" or "0x": "3A", "3a", "$3A" and
// "0x3A" give 58. Past FFFF it gives 65536, so a number too large for a tile is told from a text that is none
// (nothing: empty, a sign, a space inside, a letter past F).
std::optional<int> ReadTileNumber(const QString& text);

// What a screen reader says of the cell under the keyboard's cursor, numbered as the readouts number it
// (from 0, the row over the whole map): "column 40, row 12, tile 3A".
QString CursorDescription(const MapCell& cell, quint8 tile);

// The text of the "Fatal Error!" message shown for a block number outside 1..8.
QString FatalErrorTitle();
QString FatalErrorText();

}  // namespace MapGeometry
