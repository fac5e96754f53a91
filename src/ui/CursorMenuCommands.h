#pragma once

#include <QList>
#include <QObject>

class EditorSession;
class QAction;
class QMenu;

// The Edit menu's entries for working without a mouse, after a separator: "&Go to Tile..." (Ctrl+G), which
// makes a tile current by its number, "Pic&k Tile at Cursor" (I), which takes the tile under the keyboard's
// cell cursor, and "Appl&y Tool at Cursor" (Space, the focused map view's own key, shown beside the caption), which
// acts with the active tool at the cursor.
class CursorMenuCommands : public QObject {
    Q_OBJECT
public:
    CursorMenuCommands(EditorSession& session, QMenu* editMenu);

    // The entries whose keys the world map window takes too.
    QList<QAction*> actions() const { return {m_goToTile, m_pickTile}; }

private:
    QAction* m_goToTile = nullptr;
    QAction* m_pickTile = nullptr;
    QAction* m_applyTool = nullptr;
};
