#include "ui/CursorMenuCommands.h"

#include "editor/EditorSession.h"
#include "ui/MenuEntries.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

CursorMenuCommands::CursorMenuCommands(EditorSession& session, QMenu* editMenu) : QObject(editMenu)
{
    MenuEntries::AddSeparator(editMenu, QStringLiteral("mnuEditCursorSep"));
    m_goToTile = MenuEntries::Add(editMenu, QStringLiteral("mnuEditGoToTile"), QStringLiteral("&Go to Tile..."),
                                  {QKeySequence(Qt::CTRL | Qt::Key_G)}, &session, &EditorSession::goToTile);
    QIcon icon(QStringLiteral(":/toolbar/go-to-tile.png"));
    icon.addFile(QStringLiteral(":/toolbar/go-to-tile@2x.png"));
    m_goToTile->setIcon(icon);
    m_pickTile = MenuEntries::Add(editMenu, QStringLiteral("mnuEditPickTile"), QStringLiteral("Pic&k Tile at Cursor"),
                                  {QKeySequence(Qt::Key_I)}, &session, &EditorSession::pickTileAtCursor);
    // Space is the map views' own key, which they take themselves: as the entry's shortcut it would also act
    // in an open menu and on focused buttons. The menu shows it beside the caption all the same.
    m_applyTool =
        MenuEntries::Add(editMenu, QStringLiteral("mnuEditApplyTool"), QStringLiteral("Appl&y Tool at Cursor\tSpace"),
                         {}, &session, &EditorSession::applyAtCursor);
    for (QAction* action : {m_goToTile, m_pickTile}) {
        action->setToolTip(QStringLiteral("%1 (%2)").arg(action->text().remove(u'&').remove(QStringLiteral("...")),
                                                         action->shortcut().toString(QKeySequence::NativeText)));
    }
    m_applyTool->setToolTip(QStringLiteral("Apply Tool at Cursor (Space)"));
    m_goToTile->setStatusTip(QStringLiteral("Makes a tile current by its number, typed in hexadecimal"));
    m_pickTile->setStatusTip(QStringLiteral("Makes the tile under the cell cursor current"));
    m_applyTool->setStatusTip(QStringLiteral("Acts with the active tool at the cell cursor, as a click there does"));
}
