#pragma once

#include "SessionDriver.h"
#include "ui/ModalDisplay.h"
#include "ui/frmMain.h"

#include <QDialog>
#include <QMouseEvent>
#include <QPointer>

class PictureBox;
class QAction;
class QScrollBar;

// Shows windows without a nested event loop, so a test can drive them and
// then look at the result, and records them; ending the program is recorded.
class ScriptedModals : public ModalDisplay {
public:
    QList<QPointer<QDialog>> shown;
    bool ended = false;

    void showModal(QDialog* dialog) override;
    void endProgram() override;
};

// A real main window on a scripted platform, loaded with a synthetic
// cartridge, and the few ways a test touches it like a user does.
class MainWindowDriver : public SessionDriver {
public:
    explicit MainWindowDriver(const QByteArray& cartridge = {});

    ScriptedModals modals;
    frmMain window{session, modals};

    // Loads `path` through File > Load Rom and its open dialog.
    bool load() override;
    // Chooses a block in the block list.
    void chooseBlock(int block);
    QAction* action(const char* name) const;

    PictureBox* picMap() const;
    const QImage& mapPicture() const;
    QScrollBar* bar(const char* name) const;
    QString text(const char* labelName) const;

    // Sends a real mouse event to the map picture at a picture position.
    void mapEvent(QEvent::Type type, QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons);
    void press(QPointF position, Qt::MouseButton button = Qt::LeftButton);
    void move(QPointF position, Qt::MouseButtons buttons = Qt::NoButton);
    // A press on the tile strip at tile `tile`.
    void pickTileFromStrip(int tile);

    // Shows the main window and loads, as the side windows need it.
    bool showAndLoad();
    // Chooses a menu entry by its name; the window it showed, or null when none.
    QDialog* open(const char* menuEntry);
    // A press on an overworld cell, after choosing its block when needed.
    void pressOverworld(int column, int overworldRow, Qt::MouseButton button = Qt::LeftButton);

    // A side window's controls, named as the program names them.
    static void click(QWidget* window, const QString& name);
    // Types into a text box (replacing its text) or a closed drop-down list.
    static void type(QWidget* window, const QString& name, const QString& text);
    // The text of a label, text box, button or drop-down list.
    static QString textOf(QWidget* window, const QString& name);
    // Deletes the windows that closed (they delete themselves later).
    static void deleteClosed();
};
