#include "ui/DesktopIntegration.h"

#include "editor/EditorSession.h"
#include "ui/FileDrop.h"
#include "ui/HelpViewer.h"
#include "ui/RecentFilesMenu.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QTimer>

DesktopIntegration::DesktopIntegration(EditorSession& session, QWidget* window, QMenu* fileMenu)
    : QObject(window), m_session(session), m_window(window)
{
    // "Recent &Files" stands last before the separator above "&Quit".
    m_recent = new RecentFilesMenu(fileMenu);
    m_recent->setFiles(m_session.recentFiles());
    fileMenu->insertMenu(fileMenu->findChild<QAction*>(QStringLiteral("mnuFileSep")), m_recent);
    connect(m_recent, &RecentFilesMenu::chosen, &m_session, &EditorSession::loadRecent);
    connect(&m_session, &EditorSession::recentFilesChanged, this,
            [this] { m_recent->setFiles(m_session.recentFiles()); });
    connect(&m_session, &EditorSession::helpTextWanted, this, &DesktopIntegration::showHelpText);
    m_recent->setAccessibleName(QStringLiteral("Recent files"));
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool DesktopIntegration::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window) {
        return false;
    }
    if (event->type() == QEvent::DragEnter) {
        // Nothing is taken while a side window is in front or a load is running.
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (FileDrop::Cartridge(enter->mimeData()) && !QApplication::activeModalWidget() && !m_session.isLoading()) {
            enter->acceptProposedAction();
        }
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::optional<QString> path = FileDrop::Cartridge(drop->mimeData());
        if (path && !QApplication::activeModalWidget()) {
            drop->acceptProposedAction();
            // Loaded once the drop has ended, so the source program is not kept waiting.
            QTimer::singleShot(0, &m_session, [session = &m_session, file = *path] { session->LoadRom(file); });
        }
        return true;
    }
    return false;
}

void DesktopIntegration::showHelpText(const QString& path, const QString& text)
{
    if (!m_helpViewer) {
        m_helpViewer = new HelpViewer(text, path, m_window);
        m_helpViewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_helpViewer->show();
    m_helpViewer->raise();
    m_helpViewer->activateWindow();
}
