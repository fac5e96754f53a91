#pragma once

#include "editor/LocationPick.h"

#include <QObject>
#include <QPointer>

class EditorSession;
class LocationWindow;
class ModalDisplay;
class QDialog;
class QWidget;
struct MapCell;

// The Game menu's windows over the main window: the characters and prices
// windows, loaded anew at every opening, and the items and towns windows, of
// which at most one each exists; these wait hidden for a location picked on
// the map, take it, and are shown again. A load of another cartridge closes
// a waiting window: its unsaved picks go the way of unsaved map edits.
class GameWindows : public QObject {
    Q_OBJECT
public:
    GameWindows(EditorSession& session, ModalDisplay& modals, QWidget* owner);

    void openCharacters();
    void openItems();
    void openPrices();
    void openTowns();

signals:
    // An items or towns window closed: the locations on disk may have changed.
    void locationWindowClosed();

private:
    template <typename Window> void openFresh();
    template <typename Window> void openLocations(QPointer<LocationWindow>& slot);
    void deliver(LocationPick::Window window, int row, const MapCell& cell);
    void closeWaiting();

    EditorSession& m_session;
    ModalDisplay& m_modals;
    QWidget* m_owner;
    QPointer<LocationWindow> m_itemsWindow;
    QPointer<LocationWindow> m_townsWindow;
};
