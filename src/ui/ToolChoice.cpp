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
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_group = new QActionGroup(this);

    for (const ToolRegistry::Entry& entry : ToolRegistry::Tools()) {
        const ToolDescription& tool = entry.description;
        QAction* action = MenuEntries::Add(mnuTools, QStringLiteral("mnuTools") + tool.id, tool.caption, {tool.key},
                                           this, [this, id = tool.id] { m_session.setTool(id); });
        action->setCheckable(true);
        action->setChecked(tool.id == m_session.tool());
        action->setToolTip(ToolTip(tool.name, tool.key));
        action->setStatusTip(tool.statusTip);
        action->setIcon(Icon(tool.icon));
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

QIcon ToolChoice::Icon(const QString& path)
{
    // With its double-size picture, which Qt takes by itself only on screens that scale already.
    QIcon icon;
    if (QFile::exists(path)) {
        icon.addFile(path);
        icon.addFile(QString(path).replace(QStringLiteral(".png"), QStringLiteral("@2x.png")));
    }
    return icon;
}

QString ToolChoice::ToolTip(const QString& name, const QKeySequence& key)
{
    return QStringLiteral("%1 (%2)").arg(name, key.toString(QKeySequence::NativeText));
}

void ToolChoice::addButtons(const QList<QAction*>& actions, const QStringList& icons)
{
    m_toolBar->addSeparator();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QAction* action = actions[i];
        const QString name = QString(action->text()).remove(u'&');
        action->setIcon(Icon(icons.value(i)));
        action->setToolTip(ToolTip(name, action->shortcut()));
        m_toolBar->addAction(action);
        m_toolBar->widgetForAction(action)->setAccessibleName(name);
        m_toolBar->widgetForAction(action)->setFocusPolicy(Qt::TabFocus);
    }
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
