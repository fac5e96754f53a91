#pragma once

#include "BenchPlatform.h"
#include "ui/frmMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

// A shown main window and a cartridge-sized file of repeatable random bytes.
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

}  // namespace BenchSession

struct Session {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bench.nes"));
    BenchPlatform platform;
    frmMain window{platform};

    Session()
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(BenchSession::cartridgeBytes());
        file.close();
        window.show();
    }
};
