#pragma once

#include "core/MapCell.h"

#include <QImage>
#include <QPoint>
#include <QRect>

class CartridgeImage;

// The 256 tiles of the strip at one size, z x z pixels a cell (2 to 16): each
// pixel takes the tile's pixel under its centre, nearest neighbour, no
// smoothing. At 16 a cell is the map picture's cell, at 2 the world map's
// pixels. Views of many cells compose from it, copying rows of pixels.
class TileAtlas {
public:
    static constexpr int MinZoom = 2;
    static constexpr int MaxZoom = 16;

    TileAtlas() = default;
    // From the 32 x 8192 strip; every tile black when the strip is not one.
    TileAtlas(const QImage& strip, int zoom);

    int zoom() const { return m_zoom; }
    bool isNull() const { return m_zoom == 0; }
    // Tile t at (0, t * zoom).
    const QImage& image() const { return m_tiles; }

    // The pixel of a strip cell (0..31, across or down) that pixel `d` of a cell `zoom` pixels wide takes:
    // the tile's own pixel (16 to a cell, each doubled in the strip) under the centre of pixel d.
    static constexpr int StripSource(int d, int zoom) { return 2 * (((2 * d + 1) * 8) / zoom); }

    // Tile `tile` with its top left pixel at `at` of `target`, clipped to it.
    void drawTile(int tile, QImage& target, QPoint at) const;
    // The map cells in `cells` (column, overworld row; clipped to the map)
    // from the image's bytes, cell cells.topLeft() at `at` of `target`, clipped to it.
    void drawCells(const CartridgeImage& image, const QRect& cells, QImage& target, QPoint at) const;
    // Draws each of `cells` that shows in `target`, cell (0, 0) at `origin`;
    // returns the pixels that changed.
    QRect drawListed(const CartridgeImage& image, const MapCells& cells, QImage& target, QPoint origin) const;

private:
    bool canDrawInto(const QImage& target) const;
    void blit(int tile, uchar* bits, qsizetype stride, QSize size, QPoint at) const;

    int m_zoom = 0;
    QImage m_tiles;
};
