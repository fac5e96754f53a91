#pragma once

#include <QtGlobal>

// Who waits for a location from the map. The items and the towns window each
// mark themselves loaded; a press on the map hands its cell over while either
// is loaded, to the towns window when it is loaded, else to the items window,
// for the row whose "New Location" was pressed last.
struct LocationPick {
    enum class Window { Items, Towns };

    bool ItemsWindowLoaded = false;
    bool TownsWindowOpen = false;
    quint8 PickRow = 0;

    bool LocationWindowOpen() const { return ItemsWindowLoaded || TownsWindowOpen; }
    Window waiting() const { return TownsWindowOpen ? Window::Towns : Window::Items; }
};
