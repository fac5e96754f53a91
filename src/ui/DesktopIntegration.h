#pragma once

#include <QObject>
#include <QPointer>

class EditorSession;
class HelpViewer;
class QMenu;
class QWidget;
class RecentFilesMenu;

// The main window's ties to the desktop: "Recent &Files" in the File menu,
// .nes files dropped on the window, and the help text shown in a window of
// the program where the desktop has no viewer for the help file.
class DesktopIntegration : public QObject {
    Q_OBJECT
public:
    // Adds "Recent &Files" to `fileMenu` before the separator above "&Quit",
    // and takes the drops on `window`.
    DesktopIntegration(EditorSession& session, QWidget* window, QMenu* fileMenu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showHelpText(const QString& path, const QString& text);

    EditorSession& m_session;
    QWidget* m_window;
    RecentFilesMenu* m_recent = nullptr;
    QPointer<HelpViewer> m_helpViewer;
};
