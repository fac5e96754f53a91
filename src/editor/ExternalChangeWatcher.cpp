#include "editor/ExternalChangeWatcher.h"

#include "core/CartridgeFile.h"
#include "core/CartridgeImage.h"
#include "core/NumberText.h"
#include "editor/Platform.h"

#include <QFileInfo>
#include <QLocale>

ExternalChangeWatcher::ExternalChangeWatcher(Platform& platform, QObject* parent, std::function<bool()> unsavedMapEdits,
                                             std::function<void()> reloadMap)
    : QObject(parent), m_platform(platform), m_unsavedMapEdits(std::move(unsavedMapEdits)),
      m_reloadMap(std::move(reloadMap))
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &ExternalChangeWatcher::check);
    // A program that saves by replacing the file (as this one does) ends the
    // watch on the old file; the folder's change brings the new one back.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &ExternalChangeWatcher::check);
    m_retry.setSingleShot(true);
    m_retry.setInterval(500);
    connect(&m_retry, &QTimer::timeout, this, &ExternalChangeWatcher::check);
}

QString ExternalChangeWatcher::Title()
{
    return QStringLiteral("File changed on disk");
}

void ExternalChangeWatcher::watch(const QString& path)
{
    if (!m_watcher.files().isEmpty()) {
        m_watcher.removePaths(m_watcher.files());
    }
    if (!m_watcher.directories().isEmpty()) {
        m_watcher.removePaths(m_watcher.directories());
    }
    m_path = path;
    m_userKeptEdits = false;
    m_watcher.addPath(path);
    m_watcher.addPath(QFileInfo(path).absolutePath());
}

QString ExternalChangeWatcher::changedText(const QString& detail) const
{
    FileState now;
    CartridgeFile::changeSinceRemembered(m_path, &now);
    return Platform::Paragraphs(
        {QStringLiteral("The file \"%1\" was changed by another program since it was loaded "
                        "(it is now %2 long, last changed %3).")
             .arg(m_path, NumberText::Counted(now.size(), QStringLiteral("%1 byte"), QStringLiteral("%1 bytes")),
                  QLocale().toString(now.modified(), QLocale::ShortFormat)),
         detail});
}

void ExternalChangeWatcher::check()
{
    if (m_path.isEmpty()) {
        return;
    }
    if (!m_watcher.files().contains(m_path) && QFileInfo(m_path).isFile()) {
        m_watcher.addPath(m_path);
    }
    if (m_asking || m_userKeptEdits) {
        return;
    }
    if (m_platform.isShowingModal()) {
        m_retry.start();  // not while a window or box waits for the user
        return;
    }
    if (CartridgeFile::changeSinceRemembered(m_path) != CartridgeFile::Change::Changed) {
        return;
    }
    if (!m_unsavedMapEdits()) {
        m_reloadMap();
        return;
    }
    m_asking = true;
    const int answer = m_platform.choice(
        Title(),
        changedText(QStringLiteral("Reload it and lose the map edits not saved yet, or keep editing? If you keep "
                                   "editing, \"Save Changes\" asks again before it writes over those changes.")),
        {QStringLiteral("&Reload"), QStringLiteral("&Keep Editing")}, 1);
    m_asking = false;
    if (answer == 0) {
        m_reloadMap();
    } else {
        m_userKeptEdits = true;
    }
}

ExternalChangeWatcher::BeforeSave ExternalChangeWatcher::checkBeforeSave()
{
    if (m_path.isEmpty() || CartridgeFile::changeSinceRemembered(m_path) != CartridgeFile::Change::Changed) {
        return BeforeSave::Save;
    }
    m_asking = true;
    const int answer = m_platform.choice(
        Title(),
        changedText(QStringLiteral("Overwrite: write the map over those changes (the rest of the file keeps them).\r\n"
                                   "Reload: load the file again and lose the map edits not saved yet.\r\n"
                                   "Cancel: change nothing.")),
        {QStringLiteral("&Overwrite"), QStringLiteral("&Reload"), QStringLiteral("Cancel")}, 2);
    m_asking = false;
    switch (answer) {
    case 0:
        // The file as it is now becomes the base the save moves along from.
        CartridgeFile::rememberState(m_path, CartridgeImage::FirstIndex, CartridgeImage::Size);
        m_userKeptEdits = false;
        return BeforeSave::Save;
    case 1:
        m_userKeptEdits = false;
        m_reloadMap();
        return BeforeSave::Reloaded;
    default: return BeforeSave::Cancel;
    }
}
