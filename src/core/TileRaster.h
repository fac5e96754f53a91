#pragma once

#include "core/MapGeometry.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>

class CartridgeImage;

// The raster work behind the tile strip and the map picture: exact
// nearest-neighbour copies (each pixel doubled into a 2 x 2 block, or every
// second pixel taken), so a strip cell drawn back at half size equals its
// sheet cell pixel for pixel. No smoothing anywhere.
namespace TileRaster {

inline constexpr QImage::Format Format = QImage::Format_RGB32;
inline constexpr int SheetWidth = 224;
inline constexpr int SheetHeight = 80;
inline constexpr int SheetColumns = 14;
inline constexpr int SheetCell = MapGeometry::CellSize;  // the map picture shows the cells at their size
inline constexpr int CellsPerSheet = 64;
inline constexpr int Sheets = 4;
inline constexpr int Tiles = Sheets * CellsPerSheet;  // 256: every byte value is a tile
inline constexpr int StripCell = 2 * SheetCell;  // a sheet cell doubled
inline constexpr int StripWidth = StripCell;
inline constexpr int StripHeight = Tiles * StripCell;  // 8192

// Top left pixel of cell i (0..63) in a sheet.
constexpr QPoint SheetCellOrigin(int i)
{
    return {SheetCell * (i % SheetColumns), SheetCell * (i / SheetColumns)};
}

// The four sheets shipped with the program (tile numbers 0-63, 64-127, 128-191, 192-255).
std::array<QImage, Sheets> LoadSheets();

// A new 32 x 8192 black strip with sheet s, cell i doubled into (0, 2048 s + 32 i).
QImage BuildTileStrip(const std::array<QImage, Sheets>& sheets);

// Every pixel of `source` inside `from` becomes a 2 x 2 block of `target` at `to`.
void CopyDoubled(const QImage& source, const QRect& from, QImage& target, const QPoint& to);
// Every second pixel of `source` inside `from` (its even rows and columns) goes to `target` at `to`.
void CopyHalved(const QImage& source, const QRect& from, QImage& target, const QPoint& to);

// Tile t of the strip, halved into the 16 x 16 cell whose top left is (x, y).
void CopyTileToCell(const QImage& strip, int tile, QImage& picture, int x, int y);

// Draws the cells of the block that starts at image index `blockStart` that
// lie in `cells` (x the column, y the local row; the whole block by default);
// cells whose byte lies outside the image stay as they are.
void RenderBlock(const CartridgeImage& image, qint32 blockStart, const QImage& strip, QImage& picture,
                 const QRect& cells = MapGeometry::BlockPicture);

// Grid lines: the top pixel row of cell rows 1..31 and the left pixel column of columns 1..255.
void DrawGrid(QImage& picture, const QColor& color);

// The box from (x, y) to (x + 16, y + 16), both corners included, clipped to the picture.
void DrawCellOutline(QImage& picture, int x, int y, const QColor& color);

}  // namespace TileRaster
