#pragma once

#include "ui/LocationWindow.h"

// "Location of Towns": where each of the twelve towns lies on the overworld.
// A save writes the 24 bytes of the town table into the file only; the table
// lies outside the cartridge image, which this window never touches.
class frmTowns : public LocationWindow {
    Q_OBJECT
public:
    frmTowns(LocationTable& table, LocationPicker& picker, QWidget* owner);

public slots:
    // "&Read This!": the note on the towns' warps.
    void Command1_Click();
};
