#include "core/TileAtlas.h"

#include "core/CartridgeImage.h"
#include "core/MapCell.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"

#include <algorithm>
#include <cstring>

TileAtlas::TileAtlas(const QImage& strip, int zoom)
    : m_zoom(std::clamp(zoom, MinZoom, MaxZoom)), m_tiles(m_zoom, TileRaster::Tiles * m_zoom, TileRaster::Format)
{
    m_tiles.fill(Qt::black);
    if (strip.format() != TileRaster::Format || strip.width() < TileRaster::StripWidth ||
        strip.height() < TileRaster::StripHeight) {
        return;
    }
    for (int tile = 0; tile < TileRaster::Tiles; ++tile) {
        for (int dy = 0; dy < m_zoom; ++dy) {
            const auto* in = reinterpret_cast<const QRgb*>(
                strip.constScanLine(TileRaster::StripCell * tile + StripSource(dy, m_zoom)));
            auto* out = reinterpret_cast<QRgb*>(m_tiles.scanLine(m_zoom * tile + dy));
            for (int dx = 0; dx < m_zoom; ++dx) {
                out[dx] = in[StripSource(dx, m_zoom)];
            }
        }
    }
}

bool TileAtlas::canDrawInto(const QImage& target) const
{
    return !isNull() && target.format() == TileRaster::Format;
}

void TileAtlas::blit(int tile, uchar* bits, qsizetype stride, QSize size, QPoint at) const
{
    // The part of the tile inside the target: pixels [x0, x1) of rows [y0, y1).
    const int x0 = std::max(0, -at.x());
    const int y0 = std::max(0, -at.y());
    const int x1 = std::min(m_zoom, size.width() - at.x());
    const int y1 = std::min(m_zoom, size.height() - at.y());
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const qsizetype tileStride = m_tiles.bytesPerLine();
    const uchar* from = m_tiles.constBits() + tileStride * (m_zoom * tile + y0) + sizeof(QRgb) * x0;
    uchar* to = bits + stride * (at.y() + y0) + static_cast<qsizetype>(sizeof(QRgb)) * (at.x() + x0);
    const auto bytes = static_cast<std::size_t>(x1 - x0) * sizeof(QRgb);
    for (int y = y0; y < y1; ++y, from += tileStride, to += stride) {
        std::memcpy(to, from, bytes);
    }
}

void TileAtlas::drawTile(int tile, QImage& target, QPoint at) const
{
    if (canDrawInto(target) && tile >= 0 && tile < TileRaster::Tiles) {
        blit(tile, target.bits(), target.bytesPerLine(), target.size(), at);
    }
}

void TileAtlas::drawCells(const CartridgeImage& image, const QRect& cells, QImage& target, QPoint at) const
{
    if (!canDrawInto(target)) {
        return;
    }
    // Only the cells that show in the target are drawn.
    const QPoint origin = at - cells.topLeft() * m_zoom;  // where cell (0, 0) lies
    const auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    const QRect shown(
        QPoint(floorDiv(-origin.x(), m_zoom), floorDiv(-origin.y(), m_zoom)),
        QPoint(floorDiv(target.width() - 1 - origin.x(), m_zoom), floorDiv(target.height() - 1 - origin.y(), m_zoom)));
    const QRect drawn = cells & MapCell::WorldArea() & shown;
    if (drawn.isEmpty()) {
        return;
    }
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (int row = drawn.top(); row <= drawn.bottom(); ++row) {
        const quint8* bytes = image.data() + (MapGeometry::MapByteOffset(MapCell{0, row}) - CartridgeImage::FirstIndex);
        for (int column = drawn.left(); column <= drawn.right(); ++column) {
            blit(bytes[column], bits, stride, target.size(), origin + QPoint(column, row) * m_zoom);
        }
    }
}

QRect TileAtlas::drawListed(const CartridgeImage& image, const MapCells& cells, QImage& target, QPoint origin) const
{
    if (!canDrawInto(target)) {
        return {};
    }
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    const QSize size = target.size();
    int left = size.width();
    int top = size.height();
    int right = -1;
    int bottom = -1;
    for (const MapCell& cell : cells) {
        const int x = origin.x() + cell.column * m_zoom;
        const int y = origin.y() + cell.row * m_zoom;
        if (x + m_zoom <= 0 || y + m_zoom <= 0 || x >= size.width() || y >= size.height() || !cell.isOnMap()) {
            continue;
        }
        blit(image.at(MapGeometry::MapByteOffset(cell)), bits, stride, size, {x, y});
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + m_zoom - 1);
        bottom = std::max(bottom, y + m_zoom - 1);
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom)) & target.rect();
}
