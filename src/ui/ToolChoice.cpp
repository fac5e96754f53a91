#include "ui/ToolChoice.h"

#include "editor/EditorSession.h"
#include "editor/ToolRegistry.h"
#include "ui/MenuEntries.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

ToolChoice::ToolChoice(QMainWindow* window, QAction* menuBefore, EditorSession& session)
    : QObject(window), m_session(session)
{
    mnuTools = MenuEntries::AddMenu(window, menuBefore, QStringLiteral("mnuTools"), QStringLiteral("&Tools"));
    m_toolBar = window->addToolBar(QStringLiteral("Tools"));
    m_toolBar->setObjectName(QStringLiteral("tbTools"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_group = new QActionGroup(this);

    for (const ToolRegistry::Entry& entry : ToolRegistry::Tools()) {
        const ToolDescription& tool = entry.description;
        QAction* action = MenuEntries::Add(mnuTools, QStringLiteral("mnuTools") + tool.id, tool.caption, {tool.key},
                                           this, [this, id = tool.id] { m_session.setTool(id); });
        action->setCheckable(true);
        action->setChecked(tool.id == m_session.tool());
        action->setToolTip(QStringLiteral("%1 (%2)").arg(tool.name, tool.key.toString()));
        action->setStatusTip(tool.statusTip);
        if (QFile::exists(tool.icon)) {
            // With its double-size picture, which Qt takes by itself only on screens that scale already.
            QIcon icon(tool.icon);
            icon.addFile(QString(tool.icon).replace(QStringLiteral(".png"), QStringLiteral("@2x.png")));
            action->setIcon(icon);
        }
        action->setData(tool.id);
        m_group->addAction(action);
        m_toolBar->addAction(action);
        m_toolBar->widgetForAction(action)->setAccessibleName(tool.name + QStringLiteral(" tool"));
        m_toolBar->widgetForAction(action)->setFocusPolicy(Qt::TabFocus);  // reached with Tab, pressed with Space
    }
    connect(&m_session, &EditorSession::toolChanged, this, [this](const QString& id) {
        for (QAction* action : m_group->actions()) {
            action->setChecked(action->data().toString() == id);
        }
    });
    setEnabled(false);
}

void ToolChoice::setEnabled(bool enabled)
{
    // A disabled menu takes its entries' shortcuts with it.
    mnuTools->setEnabled(enabled);
    mnuTools->menuAction()->setEnabled(enabled);
    m_group->setEnabled(enabled);
}

QList<QAction*> ToolChoice::actions() const
{
    return m_group->actions();
}
