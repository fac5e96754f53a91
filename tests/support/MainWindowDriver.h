#pragma once

#include "ScriptedPlatform.h"
#include "TestLocale.h"
#include "ui/frmMain.h"

#include <QDialog>
#include <QMouseEvent>
#include <QTemporaryDir>

class PictureBox;
class QScrollBar;

// A real main window with a scripted platform, loaded with a synthetic
// cartridge, and the few ways a test touches it like a user does.
class MainWindowDriver {
public:
    explicit MainWindowDriver(const QByteArray& cartridge = {});

    ScriptedPlatform platform;
    frmMain window{platform};
    QTemporaryDir dir;
    QString path;
    QByteArray original;

    // Loads `original` (written to `path`) through the open dialog.
    bool load();
    void chooseBlock(int block);

    PictureBox* picMap() const;
    QScrollBar* bar(const char* name) const;
    QString text(const char* labelName) const;

    // Sends a real mouse event to the map picture at a picture position.
    void mapEvent(QEvent::Type type, QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons);
    void press(QPointF position, Qt::MouseButton button = Qt::LeftButton);
    void move(QPointF position, Qt::MouseButtons buttons = Qt::NoButton);

    // Shows the main window and loads, as the side windows need it.
    bool showAndLoad();
    // Runs a Game menu handler; the window it showed, or null when none.
    QDialog* open(void (frmMain::*menuHandler)());
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
