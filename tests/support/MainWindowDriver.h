#pragma once

#include "ScriptedPlatform.h"
#include "frmMain.h"

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
};
