#include "editor/LocationMoveCommand.h"

#include "core/MapGeometry.h"

#include <utility>

LocationMoveCommand::LocationMoveCommand(LocationMoves& moves, const LocationMoves::Location& location,
                                         const MapCell& from, const MapCell& to)
    : m_moves(moves), m_location(location), m_from(from), m_to(to)
{
    setText(QStringLiteral("Move %1 to %2").arg(moves.name(location), MapGeometry::LocationText(to.row, to.column)));
}

void LocationMoveCommand::undo()
{
    place(m_from);
}

void LocationMoveCommand::redo()
{
    place(m_to);
}

void LocationMoveCommand::place(const MapCell& cell)
{
    if (std::exchange(m_skip, false)) {
        m_failed = false;
        return;
    }
    m_failed = !m_moves.place(m_location, cell);
    m_skip = m_failed;
}
