#pragma once

#include <QWidget>

class PictureBox;
class QScrollBar;
class ShapeOutline;

// The palette viewport `picHolder_00`: the tile strip `picTileset` with its
// selection marker `shpPoint`, scrolled by the bar beside it, also with the wheel.
class TileStripView : public QWidget {
    Q_OBJECT
public:
    TileStripView(QScrollBar* bar, QWidget* parent);

    PictureBox* strip() const { return m_picTileset; }
    ShapeOutline* marker() const { return m_shpPoint; }

private:
    PictureBox* m_picTileset = nullptr;
    ShapeOutline* m_shpPoint = nullptr;
};
