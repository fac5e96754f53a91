#pragma once

class QDialog;

// How the windows of the program are shown modally and how the program ends:
// the Qt platform runs a nested event loop and quits the application; tests
// use a double that shows the window and returns at once, and records it.
class ModalDisplay {
public:
    virtual ~ModalDisplay();

    // Shows a side window modally over its owner. Returns when the window is
    // hidden or closed.
    virtual void showModal(QDialog* dialog) = 0;
    // Ends the program once control returns to its event loop.
    virtual void endProgram() = 0;
};
