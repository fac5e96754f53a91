#pragma once

#include "core/MapCell.h"

#include <QFont>
#include <QRect>
#include <QWidget>

class EditorSession;
class PictureBox;
class QPainter;

// What a map view draws over the cells of one block, without touching its
// picture: the selection as a dashed outline in two colours (so it stands out
// whatever the grid colour), and the active tool's preview (the rectangle
// being dragged, the stamp or the floating paste under the pointer, whose
// tiles show through), the cells changed since the file on disk and its
// backup when View > Show Changes is on, and, when View > Locations is on, the towns, items and
// balloon of the block with their names, and the keyboard's cell cursor (a cyan
// frame inside a black one, unlike the pointer's white marker and the selection's
// dashes). It covers the picture and lets the mouse through.
class MapOverlay : public QWidget {
    Q_OBJECT
public:
    MapOverlay(EditorSession& session, PictureBox* picture);

    // Follows the picture's size, and shows what the session holds now.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Cells of the overworld to widget pixels, for the block shown; an empty
    // rectangle when they lie outside it.
    QRect onWidget(const QRect& cells) const;
    void paintMarkers(QPainter& painter, const QRect& area) const;
    void paintCursor(QPainter& painter) const;
    void paintChanges(QPainter& painter, const QRect& area) const;
    // The changed cells of `cells` (all when empty) are drawn again.
    void followChanges(const MapCells& cells);

    EditorSession& m_session;
    PictureBox* m_picture;
    QRect m_selection;  // widget pixels, as drawn last
    QRect m_preview;
    QRect m_cursor;
    QFont m_markerFont;
};
