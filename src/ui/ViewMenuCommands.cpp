#include "ui/ViewMenuCommands.h"

#include "editor/EditorSession.h"
#include "ui/MenuEntries.h"

#include <QMenu>
#include <QToolBar>

ViewMenuCommands::ViewMenuCommands(QMenu* view, QToolBar* toolBar, EditorSession& session)
    : QObject(view), m_session(session), m_toolBar(toolBar)
{
    MenuEntries::AddSeparator(view, QStringLiteral("mnuViewSep3"));
    mnuViewShowChanges = MenuEntries::Add(view, QStringLiteral("mnuViewShowChanges"), QStringLiteral("Show &Changes"),
                                          {QKeySequence(Qt::CTRL | Qt::Key_D)});
    mnuViewShowChanges->setCheckable(true);
    mnuViewShowChanges->setChecked(m_session.changesShown());
    connect(mnuViewShowChanges, &QAction::toggled, &m_session, &EditorSession::setChangesShown);
    mnuViewNextChange = MenuEntries::Add(view, QStringLiteral("mnuViewNextChange"), QStringLiteral("&Next Change"),
                                         {QKeySequence(Qt::Key_F8)}, this, [this] { m_session.showNextChange(true); });
    mnuViewPreviousChange =
        MenuEntries::Add(view, QStringLiteral("mnuViewPreviousChange"), QStringLiteral("&Previous Change"),
                         {QKeySequence(Qt::SHIFT | Qt::Key_F8)}, this, [this] { m_session.showNextChange(false); });

    MenuEntries::AddSeparator(view, QStringLiteral("mnuViewSep4"));
    mnuViewToolBar = MenuEntries::Add(view, QStringLiteral("mnuViewToolBar"), QStringLiteral("&Tool Bar"));
    mnuViewToolBar->setCheckable(true);
    mnuViewToolBar->setChecked(m_session.memory().flag(LayoutMemory::ToolBarShown, true));
    connect(mnuViewToolBar, &QAction::toggled, this, [this](bool shown) {
        m_toolBar->setVisible(shown);
        m_session.memory().setFlag(LayoutMemory::ToolBarShown, shown);
    });
    mnuViewResetLayout = MenuEntries::Add(view, QStringLiteral("mnuViewResetLayout"), QStringLiteral("&Reset Layout"),
                                          {}, &m_session, &EditorSession::resetLayout);
    connect(&m_session, &EditorSession::layoutReset, this, [this] {
        mnuViewShowChanges->setChecked(false);
        mnuViewToolBar->setChecked(true);
    });
    setEnabled(false);
}

void ViewMenuCommands::setEnabled(bool enabled)
{
    for (QAction* action : {mnuViewShowChanges, mnuViewNextChange, mnuViewPreviousChange}) {
        action->setEnabled(enabled);
    }
}
