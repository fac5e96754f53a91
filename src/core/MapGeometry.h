#pragma once

#include <QList>
#include <QPoint>
#include <QString>

#include <optional>

// Where the overworld lies in the cartridge, how a pointer position becomes a
// cell, and every text in which a point, a block or a tile is shown or read back.
namespace MapGeometry {

inline constexpr int Columns = 256;
inline constexpr int Rows = 256;
inline constexpr int Blocks = 8;
inline constexpr int BlockRows = 32;
inline constexpr int CellSize = 16;  // pixels of a map cell
inline constexpr int PictureWidth = Columns * CellSize;  // 4096
inline constexpr int PictureHeight = BlockRows * CellSize;  // 512
inline constexpr qint32 FirstBlockStart = 16400;
inline constexpr qint32 BlockStride = 16384;
inline constexpr qint32 BlockBytes = BlockRows * Columns;  // 8192

// First index of block 1..8 (16400 + (block - 1) * 16384); nothing for any other number.
constexpr std::optional<qint32> BlockStart(int block)
{
    if (block < 1 || block > Blocks) {
        return std::nullopt;
    }
    return FirstBlockStart + (block - 1) * BlockStride;
}

// Index of the byte of a cell, given its block's first index.
constexpr qint32 MapByteOffset(qint32 blockStart, int localRow, int column)
{
    return blockStart + localRow * Columns + column;
}

// Pointer position in pixels to a cell coordinate: divided by 16, truncated toward zero.
int CellFromPointer(double position);

// True when a local cell lies inside the picture of a block.
constexpr bool IsCellInBlock(int column, int localRow)
{
    return column >= 0 && column < Columns && localRow >= 0 && localRow < BlockRows;
}

// The cells of the straight line from cell `from` to cell `to` (both ends
// included, in order from `from`) that lie inside the block; the ends may lie
// anywhere, even far outside.
QList<QPoint> CellLine(QPoint from, QPoint to);

constexpr int OverworldRow(int block, int localRow)
{
    return localRow + (block - 1) * BlockRows;
}
constexpr int BlockOfRow(int row)
{
    return row / BlockRows + 1;
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
QString CellDescription(int block, int localRow, int column, quint8 tile);

// Readers.
int ReadDecimal(const QString& text);  // sextant readouts and block labels
std::optional<quint8> ReadTileReadout(const QString& text);  // "0A" -> 10; empty -> nothing
int LocationRow(const QString& locationText);  // characters 2 to 4
int LocationColumn(const QString& locationText);  // characters 7 to 9

// The text of the "Fatal Error!" message shown for a block number outside 1..8.
QString FatalErrorTitle();
QString FatalErrorText();

}  // namespace MapGeometry
