#pragma once

class EditorSession;
class QKeyEvent;

// The keys a map view hands to the session's cell cursor: the arrow keys move it a cell (with Shift they
// stretch a rectangle for the tools that drag one), Page Up and Page Down a screen of the view's rows, and
// Space applies the active tool at it. Both map views take them alike.
namespace CursorKeys {

// True when `event` was one of those keys, and the session has it.
bool Handle(EditorSession& session, const QKeyEvent& event, int pageRows);

// What a map view tells screen readers of its keys.
inline constexpr const char* Description =
    "Arrow keys move the cell cursor, Shift stretches, Space applies the tool, I picks the tile";

}  // namespace CursorKeys
