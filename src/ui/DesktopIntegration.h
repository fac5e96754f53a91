#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class HelpViewer;
class Platform;
class QMenu;
class QWidget;
class RecentFilesMenu;

// The main window's ties to the desktop: "Recent &Files" in the File menu,
// .nes files dropped on the window, and the help text shown in a window of
// the program where the desktop has no viewer for the help file.
class DesktopIntegration : public QObject {
    Q_OBJECT
public:
    struct Host {
        // Loads a cartridge as the open dialog's choice would.
        std::function<void(const QString& path)> loadRom;
        // False while a load is running, when nothing dropped is taken.
        std::function<bool()> acceptsFiles;
    };

    // Adds "Recent &Files" to `fileMenu` before the separator above "&Quit",
    // and takes the drops on `window`.
    DesktopIntegration(Platform& platform, QWidget* window, QMenu* fileMenu, Host host);

    // A cartridge was loaded from `path`: it heads the recent files.
    void addRecent(const QString& path);
    void showHelpText(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openRecent(const QString& path);

    Platform& m_platform;
    QWidget* m_window;
    Host m_host;
    RecentFilesMenu* m_recent = nullptr;
    QPointer<HelpViewer> m_helpViewer;
};
