#pragma once

#include "BenchPlatform.h"
#include "editor/EditorSession.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

// A shown main window over an editor session, and a cartridge-sized file of
// repeatable random bytes.
namespace BenchSession {

inline QByteArray cartridgeBytes()
{
    QByteArray bytes(262160, '\0');
    quint32 state = 99;
    for (char& b : bytes) {
        state = state * 1664525U + 1013904223U;
        b = static_cast<char>(state >> 24);
    }
    return bytes;
}

inline void flushEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A real mouse event on a widget, at a position in the widget.
inline void mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

}  // namespace BenchSession

struct Session {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bench.nes"));
    BenchPlatform platform;
    EditorSession session{platform};
    frmMain window{session, platform};

    Session()
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(BenchSession::cartridgeBytes());
        file.close();
        window.show();
    }

    // The load after the open dialog confirmed the file name.
    void load() { session.LoadRom(path); }
    template <typename Widget = QWidget> Widget* child(const char* name) const
    {
        return window.findChild<Widget*>(QLatin1String(name));
    }
    // Chooses a menu entry.
    void choose(const char* entry) const { child<QAction>(entry)->trigger(); }
};
