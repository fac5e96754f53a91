#pragma once

#include <QImage>

class CartridgeImage;

// The whole overworld in one picture: each of the 256 x 256 cells as its
// tile's strip picture shrunk to 2 x 2 pixels, nearest neighbour (the pixel at
// the centre of each quarter of the strip cell), no smoothing.
namespace WorldRaster {

inline constexpr int CellPixels = 2;
inline constexpr int Size = 256 * CellPixels;  // 512

// The picture of every cell of the overworld.
QImage Render(const CartridgeImage& image, const QImage& strip);

// Redraws one cell (overworld row and column) holding `tile`.
void RenderCell(QImage& world, const QImage& strip, int column, int row, quint8 tile);

// The strip pixel that world pixel (dx, dy) of a cell showing `tile` takes (dx, dy in 0..1).
constexpr int SourceX(int dx)
{
    return 8 + 16 * dx;
}
constexpr int SourceY(int tile, int dy)
{
    return 32 * tile + 8 + 16 * dy;
}

}  // namespace WorldRaster
