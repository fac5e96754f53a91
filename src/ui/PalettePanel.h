#pragma once

#include <QGroupBox>

class EditorSession;
struct MapCell;
class PictureBox;
class QLabel;
class QScrollBar;
class ShapeOutline;

// The left group `Frame1`: the tile strip with its scroll bar and selection
// marker, the current tile enlarged and numbered, and the readouts of the
// map point under the pointer. It shows the session's current tile and
// pointer cell, and hands presses on the strip to the session.
class PalettePanel : public QGroupBox {
    Q_OBJECT
public:
    PalettePanel(EditorSession& session, QWidget* parent);

public slots:
    void vsTiles_Change(int value);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showStrip();
    void showTile(int tile);
    void revealTile(int tile);
    void showPointer(const MapCell& cell);

    EditorSession& m_session;
    QScrollBar* vsTiles = nullptr;
    QWidget* picHolder_00 = nullptr;
    PictureBox* picTileset = nullptr;
    ShapeOutline* shpPoint = nullptr;
    QLabel* lblTile = nullptr;
    PictureBox* picTileZoom = nullptr;
    QLabel* lblPoint = nullptr;
    QLabel* lblLon = nullptr;
    QLabel* lblLat = nullptr;
};
