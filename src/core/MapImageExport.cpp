#include "core/MapImageExport.h"

#include "core/CartridgeImage.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"

#include <QImageWriter>
#include <QSaveFile>

#include <array>
#include <cstring>
#include <optional>

namespace MapImageExport {

namespace {

// The picture with a colour table, when it holds at most 256 colours (a map
// holds a few dozen): the PNG then stores one byte a pixel, unfiltered, and is
// written several times faster. Nothing when there are more colours.
std::optional<QImage> Indexed(const QImage& picture)
{
    constexpr int Slots = 1024;  // open addressing, at most a quarter full
    std::array<QRgb, Slots> keys{};
    std::array<int, Slots> values;
    values.fill(-1);
    QList<QRgb> table;
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    QImage out(source.size(), QImage::Format_Indexed8);
    for (int y = 0; y < source.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* to = out.scanLine(y);
        QRgb last = 0;
        int lastIndex = -1;
        for (int x = 0; x < source.width(); ++x) {
            const QRgb pixel = from[x];
            if (pixel != last || lastIndex < 0) {
                quint32 slot = (pixel * 2654435761U) >> 22;
                while (values[slot] >= 0 && keys[slot] != pixel) {
                    slot = (slot + 1) % Slots;
                }
                if (values[slot] < 0) {
                    if (table.size() == 256) {
                        return std::nullopt;
                    }
                    keys[slot] = pixel;
                    values[slot] = static_cast<int>(table.size());
                    table << pixel;
                }
                last = pixel;
                lastIndex = values[slot];
            }
            to[x] = static_cast<uchar>(lastIndex);
        }
    }
    out.setColorTable(table);
    return out;
}

// The 256 tiles at map size (tile t at (0, 16 t)), one byte a pixel, and
// below them one row of the grid colour, so it has an index too. Nothing when
// their colours do not fit one table.
std::optional<QImage> IndexedTiles(const QImage& strip, const QColor& gridColor)
{
    QImage tiles(MapGeometry::CellSize, MapGeometry::CellSize * TileRaster::Tiles + 1, TileRaster::Format);
    tiles.fill(gridColor);
    for (int t = 0; t < TileRaster::Tiles; ++t) {
        TileRaster::CopyTileToCell(strip, t, tiles, 0, MapGeometry::CellSize * t);
    }
    return Indexed(tiles);
}

// Render() with one byte a pixel: each cell's rows copied from its indexed
// tile, and the grid lines where TileRaster::DrawGrid puts them.
void RenderIndexed(const CartridgeImage& image, const QImage& tiles, int first, int last, bool grid, QImage& picture)
{
    constexpr int Cell = MapGeometry::CellSize;
    const uchar gridIndex = tiles.constScanLine(Cell * TileRaster::Tiles)[0];
    for (int b = first; b <= last; ++b) {
        const qint32 start = *MapGeometry::BlockStart(b);
        const int top = MapGeometry::PictureHeight * (b - first);
        for (int r = 0; r < MapCell::BlockRows; ++r) {
            for (int c = 0; c < MapCell::Columns; ++c) {
                const int tile = image.at(MapGeometry::MapByteOffset(start, r, c));
                for (int k = 0; k < Cell; ++k) {
                    std::memcpy(picture.scanLine(top + Cell * r + k) + Cell * c, tiles.constScanLine(Cell * tile + k),
                                Cell);
                }
            }
        }
        if (!grid) {
            continue;
        }
        for (int r = 1; r < MapCell::BlockRows; ++r) {
            std::memset(picture.scanLine(top + Cell * r), gridIndex, MapGeometry::PictureWidth);
        }
        for (int y = top; y < top + MapGeometry::PictureHeight; ++y) {
            uchar* line = picture.scanLine(y);
            for (int x = Cell; x < MapGeometry::PictureWidth; x += Cell) {
                line[x] = gridIndex;
            }
        }
    }
}

}  // namespace

QImage Render(const CartridgeImage& image, const QImage& strip, Area area, int block, bool grid,
              const QColor& gridColor)
{
    const int first = area == Area::Block ? block : 1;
    const int last = area == Area::Block ? block : MapCell::Blocks;
    if (!MapGeometry::BlockStart(first) || !MapGeometry::BlockStart(last)) {
        return {};
    }
    const int height = MapGeometry::PictureHeight * (last - first + 1);
    if (const std::optional<QImage> tiles = IndexedTiles(strip, gridColor)) {
        QImage picture(MapGeometry::PictureWidth, height, QImage::Format_Indexed8);
        picture.setColorTable(tiles->colorTable());
        RenderIndexed(image, *tiles, first, last, grid, picture);
        return picture;
    }
    QImage picture(MapGeometry::PictureWidth, height, TileRaster::Format);
    picture.fill(Qt::black);
    for (int b = first; b <= last; ++b) {
        const auto start = MapGeometry::BlockStart(b);
        // A view of this block's band of the picture: the raster draws straight into it.
        QImage band(picture.bits() + picture.bytesPerLine() * MapGeometry::PictureHeight * (b - first),
                    MapGeometry::PictureWidth, MapGeometry::PictureHeight, picture.bytesPerLine(), TileRaster::Format);
        TileRaster::RenderBlock(image, *start, strip, band);
        if (grid) {
            TileRaster::DrawGrid(band, gridColor);
        }
    }
    return picture;
}

bool WritePng(const QImage& picture, const QString& path, QString* error)
{
    QSaveFile out(path);
    QString reason;
    if (out.open(QIODevice::WriteOnly)) {
        QImageWriter writer(&out, "png");
        // Qt maps 0..100 onto zlib's levels 0..9: level 2 packs a map picture
        // of about 1 MB (the default level: 0.7 MB) in under half the default's time.
        writer.setCompression(23);
        if (writer.write(picture)) {
            // A commit does not report a failed last flush (the picture would be cut short).
            if (out.flush() && out.commit()) {
                return true;
            }
            reason = out.errorString();
        } else {
            reason = writer.errorString();
            out.cancelWriting();
        }
    } else {
        reason = out.errorString();
    }
    if (error) {
        *error = QStringLiteral("The picture \"%1\" could not be written: %2.").arg(path, reason);
    }
    return false;
}

}  // namespace MapImageExport
