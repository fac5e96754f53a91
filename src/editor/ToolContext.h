#pragma once

#include "core/MapCell.h"

#include <QRect>

#include <optional>

class CartridgeImage;
class LocationMoves;
class MapDocument;
class MapPattern;

// What a map tool sees of the editing session: the document it changes the
// map through, the current tile and the brush's stamp, the selection, the
// locations of the Game tables, and the end of a floating paste. The session provides it; a tool needs nothing
// else. A tool that needs more (the locations of the towns, say) gets it here,
// as one more function the session provides: the other tools do not change.
class ToolContext {
public:
    virtual ~ToolContext();

    // The map being edited: every change of a map byte goes through it, one undo step per action.
    virtual MapDocument& document() = 0;
    virtual const CartridgeImage& image() const = 0;

    // The tile the fills paint with; none before the first load.
    virtual std::optional<quint8> currentTile() const = 0;
    // The tile under `cell` becomes current (a right press), and its place in the palette is shown.
    virtual void pickTileAt(const MapCell& cell) = 0;
    // What the brush stamps: the current tile, or the cells a copy or a right drag took.
    virtual const MapPattern& stamp() const = 0;
    virtual void setStamp(const MapPattern& stamp) = 0;

    // The selected cells (clipped to the overworld); none when nothing is selected.
    virtual std::optional<QRect> selection() const = 0;
    virtual void setSelection(const std::optional<QRect>& cells) = 0;

    // The towns, items and balloon on the map, which the move tool drags; each move is written at once.
    virtual LocationMoves& locations() = 0;

    // The floating paste was placed: the paste tool ends (it is deleted once the event is over).
    virtual void endPaste() = 0;
};
