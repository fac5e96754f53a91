#pragma once

#include "ui/LocationWindow.h"

class Cartridge;
class Platform;
struct LocationPick;

// "Location of Towns": where each of the twelve towns lies on the overworld.
// A save writes the 24 bytes of the town table into the file only; the table
// lies outside the cartridge image, which this window never touches.
class frmTowns : public LocationWindow {
    Q_OBJECT
public:
    frmTowns(Platform& platform, Cartridge& cartridge, LocationPick& pick, QWidget* owner);

    static QString ImportantNoteTitle();  // "Important Note"
    static QString ImportantNoteText();  // eight lines joined by CR LF

public slots:
    // "&Read This!": the note on the towns' warps.
    void Command1_Click();
};
