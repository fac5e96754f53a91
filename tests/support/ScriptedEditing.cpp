#include "ScriptedEditing.h"

#include "editor/EditorSession.h"

#include <QRandomGenerator>

namespace ScriptedEditing {

void Act(EditorSession& session, quint32 seed, int n)
{
    if (n % 5 == 0) {
        session.undo();
        return;
    }
    QRandomGenerator rng(seed * 100003U + static_cast<quint32>(n));
    const MapCell start{rng.bounded(256), rng.bounded(256)};
    session.selectBlock(start.block());
    session.SelectTile(32.0 * rng.bounded(256));
    const QRect block = MapCell::BlockArea(start.block());
    session.mapPress({start, Qt::LeftButton, Qt::LeftButton, block});
    MapCell at = start;
    for (int moves = rng.bounded(1, 4); moves > 0; --moves) {
        at = {at.column + rng.bounded(-6, 7), at.row + rng.bounded(-3, 4)};
        session.mapMove({at, Qt::NoButton, Qt::LeftButton, block});
    }
    session.mapRelease({at, Qt::LeftButton, Qt::NoButton, block});
}

}  // namespace ScriptedEditing
