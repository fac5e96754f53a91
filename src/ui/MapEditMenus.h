#pragma once

#include <QObject>
#include <QPointer>

class EditorSession;
class MapView;
class ModalDisplay;
class QAction;
class QMainWindow;
class QMenu;
class frmWorldMap;

// The Edit menu (undo, redo, replace) and the View menu (world map) of the
// main window. They are available with the Game menu.
class MapEditMenus : public QObject {
    Q_OBJECT
public:
    // The Edit menu goes before `editBefore`, the View menu before `viewBefore`.
    MapEditMenus(QMainWindow* window, QAction* editBefore, QAction* viewBefore, EditorSession& session,
                 ModalDisplay& modals, const MapView& view);

    void setEnabled(bool enabled);
    frmWorldMap* worldMap() const;

public slots:
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();
    void mnuEditReplace_Click();
    void mnuViewWorldMap_Click();
    // The shown block or the scroll position changed.
    void updateWorldViewport();
    // The item or town locations in the file may have changed.
    void refreshMarkers();

private:
    void updateHistoryActions();

    QMainWindow* m_window;
    EditorSession& m_session;
    ModalDisplay& m_modals;
    const MapView& m_view;
    QPointer<frmWorldMap> m_worldMap;

    QMenu* mnuEdit = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditRedo = nullptr;
    QAction* mnuEditReplace = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewWorldMap = nullptr;
};
