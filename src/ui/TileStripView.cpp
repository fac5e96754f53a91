#include "ui/TileStripView.h"

#include "core/TileRaster.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"
#include "ui/WheelScroller.h"

TileStripView::TileStripView(QScrollBar* bar, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picHolder_00"));
    PictureBox::fillBlack(this);

    m_picTileset =
        new PictureBox(QStringLiteral("picTileset"), QSize(TileRaster::StripWidth, TileRaster::StripHeight), this);
    m_picTileset->move(0, 0);
    m_shpPoint = new ShapeOutline(QStringLiteral("shpPoint"), QSize(32, 32), QColor(255, 0, 0), m_picTileset);
    m_shpPoint->move(-200, 0);  // out of sight until the first selection
    new WheelScroller(this, bar, nullptr);
}
