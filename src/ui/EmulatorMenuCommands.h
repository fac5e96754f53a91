#pragma once

#include <QObject>

class EditorSession;
class QAction;
class QMenu;

// The Tools menu's entries for playing the map: "&Test in Emulator" (F5),
// which opens the cartridge with its unsaved edits in the emulator, and
// "Em&ulator...", which sets the command that starts it. They follow the
// tools, after a separator; the test waits for a cartridge to be loaded.
class EmulatorMenuCommands : public QObject {
    Q_OBJECT
public:
    EmulatorMenuCommands(EditorSession& session, QMenu* toolsMenu);

private:
    QAction* m_test = nullptr;
    QAction* m_choose = nullptr;
};
