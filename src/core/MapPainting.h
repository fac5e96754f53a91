#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// How a stored cell shows in the map picture: the tile's picture copied into
// the cell, outlined in the grid colour. A paint, an undo, a redo and a
// replace all end here once the document has stored the byte.
namespace MapPainting {

// Draws cell (column, localRow) holding `tile`. Returns the area of the
// picture that changed; an empty rectangle for a cell outside the block.
QRect DrawCell(QImage& picture, const QImage& strip, int column, int localRow, quint8 tile, const QColor& outline);

}  // namespace MapPainting
