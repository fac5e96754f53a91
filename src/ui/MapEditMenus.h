#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>

class MapDocument;
class MapView;
class Platform;
class QAction;
class QImage;
class QMainWindow;
class QMenu;
class frmWorldMap;

// The Edit menu (undo, redo, replace) and the View menu (world map) of the
// main window, with their commands. They are available with the Game menu.
class MapEditMenus : public QObject {
    Q_OBJECT
public:
    // What the commands need of the main window.
    struct Host {
        std::function<void(int block)> selectBlock;  // as choosing it in the block list does
        std::function<bool()> closing;
        std::function<std::pair<quint8, quint8>()> replaceTiles;  // the tile under the pointer, the current tile
    };

    // The Edit menu goes before `editBefore`, the View menu before `viewBefore`.
    MapEditMenus(QMainWindow* window, QAction* editBefore, QAction* viewBefore, MapDocument& document, MapView& view,
                 Platform& platform, const QImage& strip, Host host);

    void setEnabled(bool enabled);
    frmWorldMap* worldMap() const;
    // The shown block or scroll position changed.
    void updateWorldViewport();
    // The item or town locations in the file may have changed.
    void refreshMarkers();

public slots:
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();
    void mnuEditReplace_Click();
    void mnuViewWorldMap_Click();
    // Shows overworld cell (column, row): its block, scrolled into view.
    void showOverworldCell(int column, int row);

private:
    void updateHistoryActions();
    void stepHistory(bool undo);

    QMainWindow* m_window;
    MapDocument& m_document;
    MapView& m_view;
    Platform& m_platform;
    const QImage& m_strip;
    Host m_host;
    QPointer<frmWorldMap> m_worldMap;
    bool m_steppingHistory = false;

    QMenu* mnuEdit = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditRedo = nullptr;
    QAction* mnuEditReplace = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewWorldMap = nullptr;
};
