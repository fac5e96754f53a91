#include "ui/MapEditMenus.h"

#include "core/MapDocument.h"
#include "core/MapGeometry.h"
#include "ui/MapView.h"
#include "ui/Platform.h"
#include "ui/frmReplace.h"
#include "ui/frmWorldMap.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

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

MapEditMenus::MapEditMenus(QMainWindow* window, QAction* editBefore, QAction* viewBefore, MapDocument& document,
                           MapView& view, Platform& platform, const QImage& strip, Host host)
    : QObject(window), m_window(window), m_document(document), m_view(view), m_platform(platform), m_strip(strip),
      m_host(std::move(host))
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

    const QUndoStack& history = m_document.undoStack();
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
    const QUndoStack& history = m_document.undoStack();
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
    stepHistory(true);
}

void MapEditMenus::mnuEditRedo_Click()
{
    stepHistory(false);
}

void MapEditMenus::stepHistory(bool undo)
{
    // A step in another block first shows that block, as the block list
    // would, so the user sees what changes. The drawing yields to the event
    // loop; a second undo pressed meanwhile is dropped.
    if (m_steppingHistory || !m_document.isLoaded()) {
        return;
    }
    const auto place = undo ? m_document.nextUndoPlace() : m_document.nextRedoPlace();
    if (!place) {
        return;
    }
    m_steppingHistory = true;
    QUndoStack& history = m_document.undoStack();
    const int index = history.index();
    if (place->block != m_document.currentBlock()) {
        m_host.selectBlock(place->block);
    }
    // Unless the drawing was overtaken (another block, a load, an edit, closing).
    if (!m_host.closing() && m_document.currentBlock() == place->block && history.index() == index) {
        undo ? history.undo() : history.redo();
        m_view.revealCells(place->cells);
    }
    m_steppingHistory = false;
}

void MapEditMenus::mnuEditReplace_Click()
{
    if (!m_document.isLoaded()) {
        return;
    }
    const auto [from, to] = m_host.replaceTiles();
    auto* window = new frmReplace(m_document, from, to, m_window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_platform.showModal(window);
}

frmWorldMap* MapEditMenus::worldMap() const
{
    return m_worldMap.data();
}

void MapEditMenus::mnuViewWorldMap_Click()
{
    if (!m_document.isLoaded()) {
        return;
    }
    if (!m_worldMap) {
        m_worldMap = new frmWorldMap(m_document, m_strip, m_window);
        connect(m_worldMap, &frmWorldMap::cellClicked, this, &MapEditMenus::showOverworldCell);
        // Undo, redo and replace keep their keys while the world map is the active window.
        m_worldMap->addActions({mnuEditUndo, mnuEditRedo, mnuEditReplace});
        updateWorldViewport();
        // Beside the main window where the screen has room, so neither hides the other.
        const QRect main = m_window->frameGeometry();
        const QRect screen = m_window->screen() ? m_window->screen()->availableGeometry() : main;
        const int width = m_worldMap->frameGeometry().width();
        m_worldMap->move(main.right() + 8 + width <= screen.right() ? main.right() + 8
                                                                    : std::max(screen.left(), main.left() - 8 - width),
                         main.top());
    }
    m_worldMap->show();
    m_worldMap->raise();
    m_worldMap->activateWindow();
}

void MapEditMenus::showOverworldCell(int column, int row)
{
    const int block = MapGeometry::BlockOfRow(row);
    if (block != m_document.currentBlock()) {
        m_host.selectBlock(block);
    }
    if (!m_host.closing() && m_document.currentBlock() == block) {
        m_view.revealCells({MapDocument::Cell(row % MapGeometry::BlockRows, column)});
    }
}

void MapEditMenus::updateWorldViewport()
{
    if (m_worldMap) {
        m_worldMap->setViewport(m_document.currentBlock(), m_view.visibleCells());
    }
}

void MapEditMenus::refreshMarkers()
{
    if (m_worldMap) {
        m_worldMap->refreshMarkers();
    }
}
