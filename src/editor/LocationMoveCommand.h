#pragma once

#include "editor/LocationMoves.h"

#include <QUndoCommand>

// One location moved on the map, as a step of the history: undo writes the
// old cell back into the file, redo the new one. The move itself was written
// before the step was pushed, so the first redo writes nothing. A write that
// fails (with its message) leaves the step where it was: failed() tells the
// session, which steps the history back over it without writing.
class LocationMoveCommand : public QUndoCommand {
public:
    LocationMoveCommand(LocationMoves& moves, const LocationMoves::Location& location, const MapCell& from,
                        const MapCell& to);

    void undo() override;
    void redo() override;

    // The last undo or redo could not write; the next one writes nothing.
    bool failed() const { return m_failed; }

private:
    void place(const MapCell& cell);

    LocationMoves& m_moves;
    LocationMoves::Location m_location;
    MapCell m_from;
    MapCell m_to;
    bool m_skip = true;  // the first redo: already written
    bool m_failed = false;
};
