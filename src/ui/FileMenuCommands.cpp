#include "ui/FileMenuCommands.h"

#include "editor/EditorSession.h"
#include "ui/MenuEntries.h"

#include <QAction>
#include <QMenu>

FileMenuCommands::FileMenuCommands(EditorSession& session, QMenu* fileMenu) : QObject(fileMenu)
{
    const auto add = [&](const QString& name, const QString& caption, void (EditorSession::*command)()) {
        QAction* action = MenuEntries::Add(fileMenu, name, caption, {}, &session, command);
        action->setEnabled(false);
        return action;
    };
    m_export =
        add(QStringLiteral("mnuFileExport"), QStringLiteral("&Export Map Image..."), &EditorSession::exportMapImage);
    m_exportMap = add(QStringLiteral("mnuFileExportMap"), QStringLiteral("Export &Map..."), &EditorSession::exportMap);
    m_importMap = add(QStringLiteral("mnuFileImportMap"), QStringLiteral("&Import Map..."), &EditorSession::importMap);
    m_createPatch =
        add(QStringLiteral("mnuFileCreatePatch"), QStringLiteral("Create &Patch..."), &EditorSession::createPatch);
    m_applyPatch =
        add(QStringLiteral("mnuFileApplyPatch"), QStringLiteral("&Apply Patch..."), &EditorSession::applyPatch);
    connect(&session, &EditorSession::cartridgeLoaded, this, [this] {
        for (QAction* action : {m_export, m_exportMap, m_importMap, m_createPatch, m_applyPatch}) {
            action->setEnabled(true);
        }
    });
}
