#pragma once

#include "ui/FileCommands.h"

#include <QObject>
#include <QString>

#include <functional>

class ExternalChangeWatcher;
class MapDocument;
class Platform;
class QAction;
class QMenu;
class QWidget;

// The File menu's entries for files beside the cartridge ("&Export Map
// Image...", "Create &Patch...", "&Apply Patch..."), disabled until a
// cartridge is loaded, and the watch on the cartridge file for other
// programs' changes.
class FileMenuCommands : public QObject {
    Q_OBJECT
public:
    struct Host {
        // The block shown, as the exported picture draws it.
        std::function<FileCommands::MapView()> mapView;
        // Loads the cartridge again, as "Load Rom" does, after a patch changed it.
        std::function<void(const QString& path)> loadRom;
        // Draws a block again after another program changed the map.
        std::function<void(int block)> drawBlock;
    };

    // Adds the entries at the end of `fileMenu`.
    FileMenuCommands(Platform& platform, QWidget* window, QMenu* fileMenu, MapDocument& document, Host host);

    // The cartridge at `path` was just loaded: the entries become available
    // and the file is watched from now on.
    void cartridgeLoaded(const QString& path);

    ExternalChangeWatcher& watcher() { return *m_watcher; }

public slots:
    void exportMapImage();
    void createPatch();
    void applyPatch();

private:
    // Reads the map again after another program changed the file, keeping the block shown.
    void reloadMapFromDisk();

    Platform& m_platform;
    QWidget* m_window;
    MapDocument& m_doc;
    Host m_host;
    ExternalChangeWatcher* m_watcher = nullptr;
    QAction* m_export = nullptr;
    QAction* m_createPatch = nullptr;
    QAction* m_applyPatch = nullptr;
};
