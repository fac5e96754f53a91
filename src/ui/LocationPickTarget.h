#pragma once

#include <QString>

class QDialog;

// A window that takes a location picked on the map: the row `PickRow` gets the
// location text and the block digit, then the window is shown again.
class LocationPickTarget {
public:
    virtual ~LocationPickTarget() = default;
    virtual void SetPickedLocation(int row, const QString& sextant, const QString& block) = 0;
    virtual QDialog* window() = 0;
};
