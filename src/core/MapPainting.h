#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class CartridgeImage;

// Painting one cell: the only way a map byte changes. The tile's picture is
// copied into the cell, the cell is outlined in the grid colour, and the tile
// number is stored into the image.
namespace MapPainting {

// Paints cell (column, localRow) of the block starting at `blockStart`.
// Returns the area of the picture that changed; an empty rectangle when the
// cell lies outside the block (nothing is drawn or stored then).
QRect PaintCell(CartridgeImage& image, qint32 blockStart, QImage& picture, const QImage& strip, int column,
                int localRow, quint8 tile, const QColor& outline);

}  // namespace MapPainting
