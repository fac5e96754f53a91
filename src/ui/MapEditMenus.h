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

// The Edit menu (undo, redo, the clipboard, the selection, replace) and the
// View menu (world map, zoom, the locations drawn on each map) of the main window. They are available with
// the Game menu.
class MapEditMenus : public QObject {
    Q_OBJECT
public:
    // The Edit menu goes before `editBefore`, the View menu before `viewBefore`.
    MapEditMenus(QMainWindow* window, QAction* editBefore, QAction* viewBefore, EditorSession& session,
                 ModalDisplay& modals, MapView& view);

    void setEnabled(bool enabled);
    frmWorldMap* worldMap() const;
    QMenu* viewMenu() const { return mnuView; }
    // Zoom In, Zoom Out and Actual Size, for the tool bar.
    QList<QAction*> zoomActions() const { return {mnuViewZoomIn, mnuViewZoomOut, mnuViewActualSize}; }

public slots:
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();
    void mnuEditReplace_Click();
    void mnuViewWorldMap_Click();
    // The shown block or the scroll position changed.
    void updateWorldViewport();

signals:
    void worldMapOpened(frmWorldMap* worldMap);

private:
    void updateHistoryActions();
    void updateSelectionActions();
    // Zooms in (1), out (-1) or back to the first size (0).
    void zoom(int step);

    QMainWindow* m_window;
    EditorSession& m_session;
    ModalDisplay& m_modals;
    MapView& m_view;
    QPointer<frmWorldMap> m_worldMap;

    QMenu* mnuEdit = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditRedo = nullptr;
    QAction* mnuEditCut = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditPaste = nullptr;
    QAction* mnuEditDelete = nullptr;
    QAction* mnuEditSelectAll = nullptr;
    QAction* mnuEditReplace = nullptr;
    QAction* m_cancel = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewWorldMap = nullptr;
    QAction* mnuViewZoomIn = nullptr;
    QAction* mnuViewZoomOut = nullptr;
    QAction* mnuViewActualSize = nullptr;
    QAction* mnuViewLocations = nullptr;
    QAction* mnuViewWorldLocations = nullptr;
};
