#pragma once

#include <QDialog>
#include <QImage>
#include <QList>
#include <QRect>

class MapDocument;

// The whole overworld at a glance: every cell at 2 x 2 pixels, the shown
// block outlined, the map viewport's visible cells framed, and the item and
// town locations of the cartridge file marked. It follows every change of
// the document as it happens. A click asks for the cell under the pointer.
class frmWorldMap : public QDialog {
    Q_OBJECT
public:
    // `strip` is the main window's tile strip, rebuilt in place on each load.
    frmWorldMap(MapDocument& document, const QImage& strip, QWidget* owner);

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

signals:
    // A click on overworld cell (column, row).
    void cellClicked(int column, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void redrawCells(int block, const QList<int>& cells);

    MapDocument& m_document;
    const QImage& m_strip;
    QImage m_world;
    int m_block = 1;
    QRect m_visibleCells;
    QList<Marker> m_markers;
};
