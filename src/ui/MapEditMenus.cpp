#include "ui/MapEditMenus.h"

#include "editor/EditorSession.h"
#include "ui/MapView.h"
#include "ui/ModalDisplay.h"
#include "ui/frmReplace.h"
#include "ui/frmWorldMap.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* insertMenu(QMainWindow* window, QAction* before, const QString& name, const QString& caption)
{
    auto* menu = new QMenu(caption, window->menuBar());
    menu->setObjectName(name);
    window->menuBar()->insertMenu(before, menu);
    return menu;
}

template <typename Slot>
QAction* addEntry(QMenu* menu, const QString& name, const QString& caption, const QList<QKeySequence>& shortcuts,
                  MapEditMenus* owner, Slot slot)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcuts(shortcuts);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, owner, slot);
    return action;
}

}  // namespace

MapEditMenus::MapEditMenus(QMainWindow* window, QAction* editBefore, QAction* viewBefore, EditorSession& session,
                           ModalDisplay& modals, const MapView& view)
    : QObject(window), m_window(window), m_session(session), m_modals(modals), m_view(view)
{
    mnuEdit = insertMenu(window, editBefore, QStringLiteral("mnuEdit"), QStringLiteral("&Edit"));
    mnuEditUndo = addEntry(mnuEdit, QStringLiteral("mnuEditUndo"), QStringLiteral("&Undo"),
                           {QKeySequence(Qt::CTRL | Qt::Key_Z)}, this, &MapEditMenus::mnuEditUndo_Click);
    mnuEditRedo = addEntry(mnuEdit, QStringLiteral("mnuEditRedo"), QStringLiteral("&Redo"),
                           {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, this,
                           &MapEditMenus::mnuEditRedo_Click);
    mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuEditSep"));
    mnuEditReplace = addEntry(mnuEdit, QStringLiteral("mnuEditReplace"), QStringLiteral("Re&place Tile..."),
                              {QKeySequence(Qt::CTRL | Qt::Key_R)}, this, &MapEditMenus::mnuEditReplace_Click);
    mnuView = insertMenu(window, viewBefore, QStringLiteral("mnuView"), QStringLiteral("&View"));
    mnuViewWorldMap = addEntry(mnuView, QStringLiteral("mnuViewWorldMap"), QStringLiteral("&World Map"),
                               {QKeySequence(Qt::CTRL | Qt::Key_M)}, this, &MapEditMenus::mnuViewWorldMap_Click);

    const QUndoStack& history = m_session.document().undoStack();
    connect(&history, &QUndoStack::indexChanged, this, &MapEditMenus::updateHistoryActions);
    connect(&history, &QUndoStack::undoTextChanged, this, &MapEditMenus::updateHistoryActions);
    connect(&history, &QUndoStack::redoTextChanged, this, &MapEditMenus::updateHistoryActions);
    connect(&history, &QUndoStack::cleanChanged, this, &MapEditMenus::updateHistoryActions);
    setEnabled(false);
}

void MapEditMenus::setEnabled(bool enabled)
{
    // A disabled menu takes its entries' shortcuts with it.
    for (QMenu* menu : {mnuEdit, mnuView}) {
        menu->setEnabled(enabled);
        menu->menuAction()->setEnabled(enabled);
    }
    mnuEditReplace->setEnabled(enabled);
    mnuViewWorldMap->setEnabled(enabled);
    updateHistoryActions();
}

void MapEditMenus::updateHistoryActions()
{
    const QUndoStack& history = m_session.document().undoStack();
    const bool available = mnuEdit->isEnabled();
    mnuEditUndo->setEnabled(available && history.canUndo());
    mnuEditRedo->setEnabled(available && history.canRedo());
    const auto caption = [](const QString& verb, const QString& step) {
        return step.isEmpty() ? verb : verb + u' ' + step;
    };
    mnuEditUndo->setText(caption(QStringLiteral("&Undo"), history.undoText()));
    mnuEditRedo->setText(caption(QStringLiteral("&Redo"), history.redoText()));
}

void MapEditMenus::mnuEditUndo_Click()
{
    m_session.undo();
}

void MapEditMenus::mnuEditRedo_Click()
{
    m_session.redo();
}

void MapEditMenus::mnuEditReplace_Click()
{
    if (!m_session.isLoaded()) {
        return;
    }
    const auto [from, to] = m_session.replaceDefaults();
    auto* window = new frmReplace(m_session.document(), from, to, m_window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_modals.showModal(window);
}

frmWorldMap* MapEditMenus::worldMap() const
{
    return m_worldMap.data();
}

void MapEditMenus::mnuViewWorldMap_Click()
{
    if (!m_session.isLoaded()) {
        return;
    }
    if (!m_worldMap) {
        m_worldMap = new frmWorldMap(m_session, m_window);
        // Undo, redo and replace keep their keys while the world map is the active window.
        m_worldMap->addActions({mnuEditUndo, mnuEditRedo, mnuEditReplace});
        updateWorldViewport();
        m_worldMap->placeBeside(m_window);
    }
    m_worldMap->show();
    m_worldMap->raise();
    m_worldMap->activateWindow();
}

void MapEditMenus::updateWorldViewport()
{
    if (m_worldMap) {
        m_worldMap->setViewport(m_session.currentBlock(), m_view.visibleCells());
    }
}

void MapEditMenus::refreshMarkers()
{
    if (m_worldMap) {
        m_worldMap->refreshMarkers();
    }
}
