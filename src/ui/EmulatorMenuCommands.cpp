#include "ui/EmulatorMenuCommands.h"

#include "editor/EditorSession.h"
#include "ui/MenuEntries.h"

#include <QAction>
#include <QMenu>

EmulatorMenuCommands::EmulatorMenuCommands(EditorSession& session, QMenu* toolsMenu) : QObject(toolsMenu)
{
    MenuEntries::AddSeparator(toolsMenu, QStringLiteral("mnuToolsEmulatorSep"));
    m_test = MenuEntries::Add(toolsMenu, QStringLiteral("mnuToolsTestInEmulator"), QStringLiteral("&Test in Emulator"),
                              {QKeySequence(Qt::Key_F5)}, &session, &EditorSession::testInEmulator);
    m_choose = MenuEntries::Add(toolsMenu, QStringLiteral("mnuToolsEmulator"), QStringLiteral("Em&ulator..."), {},
                                &session, &EditorSession::chooseEmulator);
    m_test->setEnabled(false);
    connect(&session, &EditorSession::cartridgeLoaded, this, [this] { m_test->setEnabled(true); });
}
