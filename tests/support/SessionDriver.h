#pragma once

#include "ScriptedPlatform.h"
#include "TestLocale.h"
#include "editor/EditorSession.h"

#include <QTemporaryDir>

// An editor session with a scripted platform, on a synthetic cartridge the
// test wrote into a folder of its own, and the ways a test acts on it.
class SessionDriver {
public:
    // With `settings`, the session remembers what it remembers there from its start on.
    explicit SessionDriver(const QByteArray& cartridge = {}, QSettings* settings = nullptr);
    virtual ~SessionDriver();

    ScriptedPlatform platform;
    EditorSession session{platform};
    QTemporaryDir dir;
    QString path;
    QByteArray original;

    // Loads the file at `path`; true when it became the cartridge.
    virtual bool load();

    // A pointer event on an overworld cell of the block view showing the cell's block.
    void cellEvent(QEvent::Type type, const MapCell& cell, Qt::MouseButton button, Qt::MouseButtons buttons);
    // A press and release of `button` on a cell of the block view.
    void clickCell(const MapCell& cell, Qt::MouseButton button = Qt::LeftButton);
    void selectTile(int tile);
    const QByteArray& image() const { return session.image().bytes(); }
    // Block `block` of the image as the map picture shows it once drawn, with the grid.
    QImage blockPicture(int block) const;
};
