#pragma once

#include <QObject>

class EditorSession;
class QAction;
class QMenu;

// The File menu's entries for files beside the cartridge ("&Export Map
// Image...", "Export &Map...", "&Import Map...", "Create &Patch...", "&Apply
// Patch..."), added at the end of the menu and disabled until a cartridge is
// loaded.
class FileMenuCommands : public QObject {
    Q_OBJECT
public:
    FileMenuCommands(EditorSession& session, QMenu* fileMenu);

private:
    QAction* m_export = nullptr;
    QAction* m_exportMap = nullptr;
    QAction* m_importMap = nullptr;
    QAction* m_createPatch = nullptr;
    QAction* m_applyPatch = nullptr;
};
