#include "ui/MapEditMenus.h"

#include "editor/EditorSession.h"
#include "ui/MapView.h"
#include "ui/MenuEntries.h"
#include "ui/ModalDisplay.h"
#include "ui/frmReplace.h"
#include "ui/WorldView.h"
#include "ui/frmWorldMap.h"

#include <QMainWindow>
#include <QMenu>

MapEditMenus::MapEditMenus(QMainWindow* window, QAction* editBefore, QAction* viewBefore, EditorSession& session,
                           ModalDisplay& modals, MapView& view)
    : QObject(window), m_window(window), m_session(session), m_modals(modals), m_view(view)
{
    mnuEdit = MenuEntries::AddMenu(window, editBefore, QStringLiteral("mnuEdit"), QStringLiteral("&Edit"));
    mnuEditUndo = MenuEntries::Add(mnuEdit, QStringLiteral("mnuEditUndo"), QStringLiteral("&Undo"),
                                   {QKeySequence(Qt::CTRL | Qt::Key_Z)}, this, &MapEditMenus::mnuEditUndo_Click);
    mnuEditRedo = MenuEntries::Add(mnuEdit, QStringLiteral("mnuEditRedo"), QStringLiteral("&Redo"),
                                   {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                                   this, &MapEditMenus::mnuEditRedo_Click);
    MenuEntries::AddSeparator(mnuEdit, QStringLiteral("mnuEditSep"));
    // Ctrl+C stays the characters window's: Copy takes Ctrl+Shift+C and Ctrl+Insert.
    mnuEditCut = MenuEntries::Add(mnuEdit, QStringLiteral("mnuEditCut"), QStringLiteral("Cu&t"),
                                  {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}, this,
                                  [this] { m_session.cut(); });
    mnuEditCopy =
        MenuEntries::Add(mnuEdit, QStringLiteral("mnuEditCopy"), QStringLiteral("&Copy"),
                         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)},
                         this, [this] { m_session.copy(); });
    mnuEditPaste = MenuEntries::Add(mnuEdit, QStringLiteral("mnuEditPaste"), QStringLiteral("&Paste"),
                                    {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
                                    this, [this] { m_session.paste(); });
    mnuEditDelete = MenuEntries::Add(mnuEdit, QStringLiteral("mnuEditDelete"), QStringLiteral("&Delete"),
                                     {QKeySequence(Qt::Key_Delete)}, this, [this] { m_session.deleteSelection(); });
    mnuEditSelectAll = MenuEntries::Add(mnuEdit, QStringLiteral("mnuEditSelectAll"), QStringLiteral("Select &All"),
                                        {QKeySequence(Qt::CTRL | Qt::Key_A)}, this, [this] { m_session.selectAll(); });
    MenuEntries::AddSeparator(mnuEdit, QStringLiteral("mnuEditSep2"));
    mnuEditReplace = MenuEntries::Add(mnuEdit, QStringLiteral("mnuEditReplace"), QStringLiteral("Re&place Tile..."),
                                      {QKeySequence(Qt::CTRL | Qt::Key_R)}, this, &MapEditMenus::mnuEditReplace_Click);
    // Escape drops a floating paste or the selection; it has no menu entry.
    m_cancel = new QAction(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("actCancel"));
    m_cancel->setShortcut(QKeySequence(Qt::Key_Escape));
    m_cancel->setShortcutContext(Qt::WindowShortcut);
    connect(m_cancel, &QAction::triggered, this, [this] { m_session.cancel(); });
    window->addAction(m_cancel);

    mnuView = MenuEntries::AddMenu(window, viewBefore, QStringLiteral("mnuView"), QStringLiteral("&View"));
    mnuViewWorldMap =
        MenuEntries::Add(mnuView, QStringLiteral("mnuViewWorldMap"), QStringLiteral("&World Map"),
                         {QKeySequence(Qt::CTRL | Qt::Key_M)}, this, &MapEditMenus::mnuViewWorldMap_Click);
    MenuEntries::AddSeparator(mnuView, QStringLiteral("mnuViewSep"));
    mnuViewZoomIn = MenuEntries::Add(mnuView, QStringLiteral("mnuViewZoomIn"), QStringLiteral("Zoom &In"),
                                     {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                                     this, [this] { zoom(1); });
    mnuViewZoomOut = MenuEntries::Add(mnuView, QStringLiteral("mnuViewZoomOut"), QStringLiteral("Zoom &Out"),
                                      {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, this, [this] { zoom(-1); });
    mnuViewActualSize = MenuEntries::Add(mnuView, QStringLiteral("mnuViewActualSize"), QStringLiteral("&Actual Size"),
                                         {QKeySequence(Qt::CTRL | Qt::Key_0)}, this, [this] { zoom(0); });
    // The towns, items and balloon drawn on each map, remembered by the session; no keys of their own.
    MenuEntries::AddSeparator(mnuView, QStringLiteral("mnuViewSep2"));
    mnuViewLocations = MenuEntries::Add(mnuView, QStringLiteral("mnuViewLocations"), QStringLiteral("&Locations"));
    mnuViewWorldLocations =
        MenuEntries::Add(mnuView, QStringLiteral("mnuViewWorldLocations"), QStringLiteral("Locations on World &Map"));
    for (const bool world : {false, true}) {
        QAction* entry = world ? mnuViewWorldLocations : mnuViewLocations;
        entry->setCheckable(true);
        entry->setChecked(m_session.locationsShown(world));
        connect(entry, &QAction::toggled, this, [this, world](bool on) { m_session.setLocationsShown(world, on); });
        connect(&m_session, &EditorSession::layoutReset, entry,
                [this, entry, world] { entry->setChecked(m_session.locationsShown(world)); });
    }
    connect(&m_session, &EditorSession::selectionChanged, this, &MapEditMenus::updateSelectionActions);

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
    for (QAction* action : {mnuEditReplace, mnuEditPaste, mnuEditSelectAll, m_cancel, mnuViewWorldMap, mnuViewZoomIn,
                            mnuViewZoomOut, mnuViewActualSize, mnuViewLocations, mnuViewWorldLocations}) {
        action->setEnabled(enabled);
    }
    updateHistoryActions();
    updateSelectionActions();
}

void MapEditMenus::updateSelectionActions()
{
    const bool selected = mnuEdit->isEnabled() && m_session.selection().has_value();
    for (QAction* action : {mnuEditCut, mnuEditCopy, mnuEditDelete}) {
        action->setEnabled(selected);
    }
}

void MapEditMenus::zoom(int step)
{
    // The world map zooms when it is the window the user works in, else the main window's map.
    if (m_worldMap && m_worldMap->isActiveWindow()) {
        WorldView* view = m_worldMap->view();
        step > 0 ? view->zoomIn() : step < 0 ? view->zoomOut() : view->actualSize();
        return;
    }
    step > 0 ? m_view.zoomIn() : step < 0 ? m_view.zoomOut() : m_view.actualSize();
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
    auto* window = new frmReplace(m_session, from, to, m_window);
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
        // The Edit and View menus keep their keys while the world map is the active window;
        // Escape is its own there (it drops a paste or the selection, then closes the window).
        m_worldMap->addActions({mnuEditUndo, mnuEditRedo, mnuEditCut, mnuEditCopy, mnuEditPaste, mnuEditDelete,
                                mnuEditSelectAll, mnuEditReplace, mnuViewZoomIn, mnuViewZoomOut, mnuViewActualSize});
        updateWorldViewport();
        m_worldMap->placeAsRemembered(m_window);
        emit worldMapOpened(m_worldMap);
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
