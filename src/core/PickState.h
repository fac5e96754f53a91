#pragma once

#include <QtGlobal>

// Who is waiting for a location from the map. The items and the towns window
// each mark themselves loaded; a press on the map hands its point over while
// either is loaded, to the towns window when it is loaded, else to the items window.
struct PickState {
    bool ItemsWindowLoaded = false;
    bool TownsWindowOpen = false;
    quint8 PickRow = 0;

    bool LocationWindowOpen() const { return ItemsWindowLoaded || TownsWindowOpen; }
};
