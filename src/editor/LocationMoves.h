#pragma once

#include "core/MapCell.h"

#include <QList>
#include <QString>

#include <optional>

class LocationTable;
class MapDocument;
class Platform;

// The towns, items and balloon as the map shows them, and their moves: a move
// is written to the file at once, as the Game windows' Save! writes it (the
// backup first, one all-or-nothing patch of just those two bytes), and is one
// step of the history ("Move Brask to (045, 120)", row first as the windows
// show it), whose undo writes the old bytes back. A location step never makes
// the map modified and is never journaled (MapDocument::pushStep).
class LocationMoves {
public:
    struct Location {
        LocationTable* table = nullptr;
        int row = 0;
        friend bool operator==(const Location&, const Location&) = default;
    };

    LocationMoves(LocationTable& items, LocationTable& towns, MapDocument& document, Platform& platform);

    // The location on `cell` (a town before an item when both stand there); none when none does.
    std::optional<Location> at(const MapCell& cell) const;
    MapCell cellOf(const Location& location) const;
    QString name(const Location& location) const;
    bool isTown(const Location& location) const;

    // Moves the location to `cell`, written at once, as one step of the
    // history. A failed write: a message naming the file and the reason,
    // nothing moves and no step. False then, or when `cell` is where it stands.
    bool move(const Location& location, const MapCell& cell);
    // Writes the location at `cell` without a step (the step's undo and redo);
    // false after the same message when the write fails.
    bool place(const Location& location, const MapCell& cell);

    // The rows of the towns that share a screen with two others.
    QList<int> crowdedTowns() const;
    // "Warps may fail: Ferrow, Olm and Brask share a screen" for each crowded
    // screen (joined by "; "), the town `moved` placed at `cell` first; empty when none.
    QString warning(std::optional<Location> moved = std::nullopt, const MapCell& cell = {}) const;
    // The same, only for the screen of the town `moved` at `cell` (a drag says what the move would make).
    QString warningAt(const Location& moved, const MapCell& cell) const;

    // The warning for the towns of `towns` standing on `cells` (a window's rows, picks included); empty when
    // no screen holds more than two.
    static QString Warning(const LocationTable& towns, const MapCells& cells);

private:
    MapCells townsWith(std::optional<Location> moved, const MapCell& cell) const;
    static QString CrowdText(const LocationTable& towns, const QList<int>& crowd);

    LocationTable& m_items;
    LocationTable& m_towns;
    MapDocument& m_document;
    Platform& m_platform;
};
