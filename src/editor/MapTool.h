#pragma once

#include "core/MapCell.h"
#include "core/MapPattern.h"

#include <QKeySequence>
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

// What a tool says about itself; its Tools menu entry and tool-bar button are made from it.
struct ToolDescription {
    QString id;  // "Brush": the session's name for it; its menu entry is "mnuTools" + id
    QString caption;  // "&Brush", the menu's text with its access key
    QString name;  // "Brush", as the tooltip and screen readers say it
    QKeySequence key;  // B: chooses it while a map window is active
    QString icon;  // ":/toolbar/brush.png" (with its "@2x" beside it); none for a tool without a picture
    QString statusTip;  // on the status line while the pointer is over its entry
};

// What the mouse does on a map, as in the tile-map editors users know: the
// view turns pointer positions into cells and hands them to the active tool,
// which changes the map only through the document, one undo step per action.
// A tool sees the session only through its ToolContext; each describes itself
// with a static Description() and is listed once, in ToolRegistry.
class MapTool {
public:
    virtual ~MapTool();

    virtual void press(const MapToolEvent& event) = 0;
    virtual void move(const MapToolEvent& event) = 0;
    virtual void release(const MapToolEvent& event) = 0;
    // Escape: a drag under way ends without a change.
    virtual void cancel();
    // True for a tool that acts on a rectangle: the keyboard stretches one with Shift and the arrow keys, as a
    // left drag does, from a press at the anchor to the release at the cursor.
    virtual bool dragsRectangle() const;

    // The cells the tool shows it would change (or take) at the pointer, to
    // outline on the map; none when there is nothing to show.
    virtual QRect preview() const;
    // The tiles the tool would place on the preview's cells (a stamp, a
    // floating paste), to show there; none when it shows only an outline.
    virtual MapPattern previewTiles() const;
    // What the next click would do, for the status line ("Fill: 312 cells will change").
    virtual QString status() const;

protected:
    // "1 cell", "312 cells".
    static QString Cells(qsizetype count);
    // "1 × 1 cell", "3 × 2 cells".
    static QString Cells(int width, int height);
    // The cell of `area` nearest to `cell`.
    static MapCell Clamped(const MapCell& cell, const QRect& area);
    // The rectangle of cells with corners `a` and `b`.
    static QRect Spanned(const MapCell& a, const MapCell& b);
};
