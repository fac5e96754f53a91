#include "core/MapImageExport.h"

#include "core/MapGeometry.h"
#include "core/TileRaster.h"

#include <QImageWriter>
#include <QSaveFile>

namespace MapImageExport {

QImage Render(const CartridgeImage& image, const QImage& strip, Area area, int block, bool grid,
              const QColor& gridColor)
{
    const int first = area == Area::Block ? block : 1;
    const int last = area == Area::Block ? block : MapGeometry::Blocks;
    QImage picture(MapGeometry::PictureWidth, MapGeometry::PictureHeight * (last - first + 1), TileRaster::Format);
    picture.fill(Qt::black);
    for (int b = first; b <= last; ++b) {
        const auto start = MapGeometry::BlockStart(b);
        if (!start) {
            continue;
        }
        // A view of this block's band of the picture: the raster draws straight into it.
        QImage band(picture.bits() + picture.bytesPerLine() * MapGeometry::PictureHeight * (b - first),
                    MapGeometry::PictureWidth, MapGeometry::PictureHeight, picture.bytesPerLine(), TileRaster::Format);
        TileRaster::RenderCells(image, *start, strip, band, 0, MapGeometry::BlockBytes - 1);
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
        if (writer.write(picture)) {
            if (out.commit()) {
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

} // namespace MapImageExport
