#pragma once

#include <QColor>
#include <QImage>
#include <QString>

class CartridgeImage;

// Pictures of the map for export: one block as the map picture draws it
// (4096 x 512), or the whole overworld as the eight block pictures one below
// the other (4096 x 4096), each cell a half-size copy of its tile in the
// strip, nearest neighbour, with or without the grid. The picture has a
// colour table (one byte a pixel) when the tiles and the grid colour fit one
// of 256 colours, as ours do: it is drawn and written several times faster.
namespace MapImageExport {

enum class Area { Block, Overworld };

// A null picture for a block number outside 1..8.
QImage Render(const CartridgeImage& image, const QImage& strip, Area area, int block, bool grid,
              const QColor& gridColor);

// Writes `picture` to `path` as PNG: the file is replaced whole, or left as it was.
bool WritePng(const QImage& picture, const QString& path, QString* error);

}  // namespace MapImageExport
