#include "core/WorldRaster.h"

#include "core/CartridgeImage.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"

namespace WorldRaster {

namespace {

bool usable(const QImage& world, const QImage& strip)
{
    return world.format() == TileRaster::Format && strip.format() == TileRaster::Format && world.width() >= Size &&
           world.height() >= Size && strip.width() >= TileRaster::StripWidth &&
           strip.height() >= TileRaster::StripHeight;
}

inline void copyCell(uchar* worldBits, qsizetype worldStride, const uchar* stripBits, qsizetype stripStride, int column,
                     int row, int tile)
{
    for (int dy = 0; dy < CellPixels; ++dy) {
        const auto* in = reinterpret_cast<const QRgb*>(stripBits + stripStride * SourceY(tile, dy));
        auto* out = reinterpret_cast<QRgb*>(worldBits + worldStride * (CellPixels * row + dy)) + CellPixels * column;
        for (int dx = 0; dx < CellPixels; ++dx) {
            out[dx] = in[SourceX(dx)];
        }
    }
}

}  // namespace

QImage Render(const CartridgeImage& image, const QImage& strip)
{
    QImage world(Size, Size, TileRaster::Format);
    world.fill(Qt::black);
    if (!usable(world, strip)) {
        return world;
    }
    uchar* worldBits = world.bits();
    const uchar* stripBits = strip.constBits();
    for (int row = 0; row < MapGeometry::Rows; ++row) {
        const int block = MapGeometry::BlockOfRow(row);
        const qint32 start = *MapGeometry::BlockStart(block);
        const quint8* bytes = image.data() + (MapGeometry::MapByteOffset(start, row % MapGeometry::BlockRows, 0) -
                                              CartridgeImage::FirstIndex);
        for (int column = 0; column < MapGeometry::Columns; ++column) {
            copyCell(worldBits, world.bytesPerLine(), stripBits, strip.bytesPerLine(), column, row, bytes[column]);
        }
    }
    return world;
}

void RenderCell(QImage& world, const QImage& strip, int column, int row, quint8 tile)
{
    if (!usable(world, strip) || column < 0 || column >= MapGeometry::Columns || row < 0 || row >= MapGeometry::Rows) {
        return;
    }
    copyCell(world.bits(), world.bytesPerLine(), strip.constBits(), strip.bytesPerLine(), column, row, tile);
}

}  // namespace WorldRaster
