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
// pointer cell, and hands presses on the strip to the session. The strip takes
// the keyboard too: the arrow keys choose the tile before or after, Page Up and
// Page Down a page of tiles, Home and End the first and the last; screen readers
// hear the current tile as its value.
class PalettePanel : public QGroupBox {
    Q_OBJECT
public:
    PalettePanel(EditorSession& session, QWidget* parent);

public slots:
    void vsTiles_Change(int value);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showStrip();
    void showTile(int tile);
    void revealTile(int tile);
    // Scrolls the strip as little as it takes to show the whole tile.
    void keepInView(int tile);
    bool stripKey(int key);
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
