#pragma once

#include <QDialog>
#include <QImage>
#include <QList>
#include <QRect>

class EditorSession;
struct MapCell;

// The whole overworld at a glance: every cell at 2 x 2 pixels, the shown
// block outlined, the map viewport's visible cells framed, and the item and
// town locations of the cartridge file marked. It follows every change of
// the document as it happens. A click shows the cell in the main window.
class frmWorldMap : public QDialog {
    Q_OBJECT
public:
    frmWorldMap(EditorSession& session, QWidget* owner);

    // Beside `window` where the screen has room, so neither hides the other.
    void placeBeside(const QWidget* window);

    const QImage& picture() const { return m_world; }

    // The shown block and the cells of it that the map viewport shows.
    void setViewport(int block, const QRect& visibleCells);
    // Reads the item and town locations from the cartridge file again.
    void refreshMarkers();
    void rebuild();

    struct Marker {
        QString label;
        int column = 0;
        int row = 0;
        bool town = false;
    };
    const QList<Marker>& markers() const { return m_markers; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void redrawCells(const QList<MapCell>& cells);

    EditorSession& m_session;
    QImage m_world;
    int m_block = 1;
    QRect m_visibleCells;
    QList<Marker> m_markers;
};
