#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class Platform;

// Tells the user when another program changed the loaded cartridge. While
// the program is idle with no unsaved map edits, a change of the map on disk
// reloads it without a question; with unsaved edits it asks. Before a map save
// it asks whether to write over the other program's changes, reload or cancel.
// The program's own writes move the remembered state along (CartridgeFile),
// so they never count as a change.
class ExternalChangeWatcher : public QObject {
    Q_OBJECT
public:
    ExternalChangeWatcher(Platform& platform, QObject* parent, std::function<bool()> unsavedMapEdits,
                          std::function<void()> reloadMap);

    // Watches `path` (just loaded) from now on.
    void watch(const QString& path);

    enum class BeforeSave { Save, Cancel, Reloaded };
    // Asks when the file was changed by another program since it was loaded.
    BeforeSave checkBeforeSave();

    static QString Title();  // "File changed on disk"

public slots:
    // The file or its folder changed on disk: reload or ask, when the map changed.
    void check();

private:
    QString changedText(const QString& detail) const;

    Platform& m_platform;
    std::function<bool()> m_unsavedMapEdits;
    std::function<void()> m_reloadMap;
    QFileSystemWatcher m_watcher;
    QTimer m_retry;
    QString m_path;
    bool m_asking = false;
    bool m_userKeptEdits = false;  // quiet until the next load or save; the save still asks
};
