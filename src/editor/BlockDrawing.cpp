#include "editor/BlockDrawing.h"

#include "core/MapCell.h"
#include "core/TileRaster.h"
#include "editor/Platform.h"

#include <QImage>

BlockDrawing::BlockDrawing(Platform& platform) : m_platform(platform) {}

bool BlockDrawing::draw(const CartridgeImage& image, qint32 start, const QImage& strip, QImage& picture,
                        const CellDrawn& cellDrawn)
{
    if (m_stopped) {
        return false;
    }
    const quint64 drawing = ++m_newest;
    picture.fill(Qt::black);
    for (int r = 0; r < MapCell::BlockRows; ++r) {
        for (int c = 0; c < MapCell::Columns; ++c) {
            TileRaster::RenderBlock(image, start, strip, picture, QRect(c, r, 1, 1));
            cellDrawn(r, c);
            m_platform.processEvents();
            if (drawing != m_newest || m_stopped) {
                return false;  // a newer drawing owns the picture and the caption now
            }
        }
    }
    return true;
}

void BlockDrawing::stop()
{
    m_stopped = true;
}
