#pragma once

#include "core/MapCell.h"

#include <QRect>
#include <QString>
#include <Qt>

// A pointer event on a map view, in cells.
struct MapToolEvent {
    MapCell cell;  // under the pointer; off the map when a held drag leaves the picture
    Qt::MouseButton button = Qt::NoButton;  // pressed or released; none for a move
    Qt::MouseButtons buttons;  // held after the event
    QRect area;  // the cells the view edits: the block it shows, or the whole overworld
};

// What the mouse does on a map, as in the tile-map editors users know: the
// view turns pointer positions into cells and hands them to the active tool,
// which changes the map only through the document, one undo step per action.
class MapTool {
public:
    virtual ~MapTool();

    virtual void press(const MapToolEvent& event) = 0;
    virtual void move(const MapToolEvent& event) = 0;
    virtual void release(const MapToolEvent& event) = 0;
};
