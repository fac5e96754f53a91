#pragma once

#include <QObject>
#include <QPointer>

class EditorSession;
class LocationTable;
class LocationWindow;
class ModalDisplay;
class QDialog;
class QWidget;
struct MapCell;

// The Game menu's windows over the main window: the characters and prices
// windows, loaded anew at every opening, and the items and towns windows, of
// which at most one each exists; these wait hidden for a location picked on
// the map (the session's picker), take it, and are shown again; Escape on the
// map instead shows them again unchanged. A load of another cartridge closes
// a waiting window: its unsaved picks go the way of unsaved map edits.
class GameWindows : public QObject {
    Q_OBJECT
public:
    GameWindows(EditorSession& session, ModalDisplay& modals, QWidget* owner);

    void openCharacters();
    void openItems();
    void openPrices();
    void openTowns();

private:
    template <typename Window, typename Table> void openFresh(Table& table);
    template <typename Window> void openLocations(QPointer<LocationWindow>& slot, LocationTable& table);
    LocationWindow* windowOf(const LocationTable* table) const;
    void deliver(LocationTable* table, int row, const MapCell& cell);
    void showAgain(LocationTable* table);
    void closeWaiting();

    EditorSession& m_session;
    ModalDisplay& m_modals;
    QWidget* m_owner;
    QPointer<LocationWindow> m_itemsWindow;
    QPointer<LocationWindow> m_townsWindow;
};
