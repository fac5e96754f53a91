#pragma once

#include "ui/LocationWindow.h"

// "Location of Overworld Items & Balloon": where the five special items lie on
// the overworld and where the balloon stands. A save writes the six locations
// into the file and the five item locations into the cartridge image as well,
// so that a later "Save Changes" keeps them; the balloon lies outside the image.
class frmIB : public LocationWindow {
    Q_OBJECT
public:
    frmIB(LocationTable& table, LocationPicker& picker, QWidget* owner);
};
