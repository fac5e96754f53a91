#pragma once

#include "SessionDriver.h"
#include "ui/ModalDisplay.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>

class PictureBox;

// Shows and records windows without a nested event loop; ending the program is recorded.
class ScriptedModals : public ModalDisplay {
public:
    QList<QPointer<QDialog>> shown;
    bool ended = false;

    void showModal(QDialog* dialog) override;
    void endProgram() override { ended = true; }
};

// A real main window on a scripted platform and the ways a test touches it like a user does.
class MainWindowDriver : public SessionDriver {
public:
    explicit MainWindowDriver(const QByteArray& cartridge = {}, QSettings* settings = nullptr)
        : SessionDriver(cartridge, settings)
    {
    }

    ScriptedModals modals;
    frmMain window{session, modals};

    // Loads `path` through File > Load Rom and its open dialog.
    bool load() override;
    // Chooses a block in the block list.
    void chooseBlock(int block);
    QAction* action(const char* name) const { return window.findChild<QAction*>(QLatin1String(name)); }

    PictureBox* picMap() const;
    const QImage& mapPicture() const;
    QScrollBar* bar(const char* name) const { return window.findChild<QScrollBar*>(QLatin1String(name)); }
    QString text(const char* labelName) const { return window.findChild<QLabel*>(QLatin1String(labelName))->text(); }
    // The centre of a cell of the map picture, at its normal size.
    static QPointF cellCentre(int column, int localRow) { return QPointF(16 * column + 7.5, 16 * localRow + 7.5); }
    // Wheel notches (up when positive) sent to `target` at `at`.
    static void wheel(QWidget* target, QPoint at, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Sends a real mouse event to the map picture at a picture position.
    void mapEvent(QEvent::Type type, QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons);
    void press(QPointF position, Qt::MouseButton button = Qt::LeftButton);
    void move(QPointF position, Qt::MouseButtons buttons = Qt::NoButton)
    {
        mapEvent(QEvent::MouseMove, position, Qt::NoButton, buttons);
    }
    // A press on the tile strip at tile `tile`.
    void pickTileFromStrip(int tile);

    // Shows the main window, active (as the side windows and keys need), and loads.
    bool showAndLoad();
    // Chooses a menu entry by its name; the window it showed, or null when none.
    QDialog* open(const char* menuEntry);

    // A side window's controls, named as the program names them.
    static void click(QWidget* window, const QString& name);
    // Types into a text box (replacing its text) or a closed drop-down list.
    static void type(QWidget* window, const QString& name, const QString& text);
    // The text of a label, text box, button or drop-down list.
    static QString textOf(QWidget* window, const QString& name);
    // Deletes the windows that closed (they delete themselves later).
    static void deleteClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
