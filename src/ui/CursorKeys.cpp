#include "ui/CursorKeys.h"

#include "editor/EditorSession.h"

#include <QKeyEvent>

#include <algorithm>

namespace CursorKeys {

bool Handle(EditorSession& session, const QKeyEvent& event, int pageRows)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) {
        return false;
    }
    const bool shift = modifiers == Qt::ShiftModifier;
    const int page = std::max(1, pageRows);
    switch (event.key()) {
    case Qt::Key_Left: session.moveCursor(-1, 0, shift); return true;
    case Qt::Key_Right: session.moveCursor(1, 0, shift); return true;
    case Qt::Key_Up: session.moveCursor(0, -1, shift); return true;
    case Qt::Key_Down: session.moveCursor(0, 1, shift); return true;
    case Qt::Key_PageUp: session.moveCursor(0, -page, shift); return true;
    case Qt::Key_PageDown: session.moveCursor(0, page, shift); return true;
    case Qt::Key_Space:
        if (!shift) {
            session.applyAtCursor();
            return true;
        }
        return false;
    default: return false;
    }
}

}  // namespace CursorKeys
