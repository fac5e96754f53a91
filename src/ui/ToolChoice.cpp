#include "ui/ToolChoice.h"

#include "editor/EditorSession.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

ToolChoice::ToolChoice(QMainWindow* window, QAction* menuBefore, EditorSession& session)
    : QObject(window), m_session(session)
{
    mnuTools = new QMenu(QStringLiteral("&Tools"), window->menuBar());
    mnuTools->setObjectName(QStringLiteral("mnuTools"));
    window->menuBar()->insertMenu(menuBefore, mnuTools);
    m_toolBar = window->addToolBar(QStringLiteral("Tools"));
    m_toolBar->setObjectName(QStringLiteral("tbTools"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_group = new QActionGroup(this);

    const struct {
        EditorSession::Tool tool;
        const char* name;
        const char* caption;
        const char* plain;  // the caption without its access key, as the tooltip and screen readers say it
        Qt::Key key;
    } tools[] = {
        {EditorSession::Tool::Brush, "mnuToolsBrush", "&Brush", "Brush", Qt::Key_B},
        {EditorSession::Tool::Fill, "mnuToolsFill", "Bucket &Fill", "Bucket Fill", Qt::Key_F},
        {EditorSession::Tool::Rectangle, "mnuToolsRectangle", "&Rectangle Fill", "Rectangle Fill", Qt::Key_P},
        {EditorSession::Tool::Select, "mnuToolsSelect", "Rectangular &Selection", "Rectangular Selection", Qt::Key_R},
    };
    for (const auto& entry : tools) {
        QAction* action = mnuTools->addAction(QString::fromLatin1(entry.caption));
        action->setObjectName(QLatin1String(entry.name));
        action->setCheckable(true);
        action->setChecked(entry.tool == m_session.tool());
        action->setShortcut(QKeySequence(entry.key));
        action->setShortcutContext(Qt::WindowShortcut);
        const QString plain = QString::fromLatin1(entry.plain);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(plain, QKeySequence(entry.key).toString()));
        action->setData(static_cast<int>(entry.tool));
        m_group->addAction(action);
        m_toolBar->addAction(action);
        m_toolBar->widgetForAction(action)->setAccessibleName(plain + QStringLiteral(" tool"));
        connect(action, &QAction::triggered, this, [this, tool = entry.tool] { m_session.setTool(tool); });
    }
    connect(&m_session, &EditorSession::toolChanged, this, [this](EditorSession::Tool tool) {
        for (QAction* action : m_group->actions()) {
            action->setChecked(action->data().toInt() == static_cast<int>(tool));
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
