#include "ui/DesktopIntegration.h"

#include "core/HelpCommand.h"
#include "ui/FileDrop.h"
#include "ui/HelpViewer.h"
#include "ui/Platform.h"
#include "ui/RecentFilesMenu.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

DesktopIntegration::DesktopIntegration(Platform& platform, QWidget* window, QMenu* fileMenu, Host host)
    : QObject(window), m_platform(platform), m_window(window), m_host(std::move(host))
{
    // "Recent &Files" stands last before the separator above "&Quit".
    m_recent = new RecentFilesMenu(m_platform.settings(), fileMenu);
    fileMenu->insertMenu(fileMenu->findChild<QAction*>(QStringLiteral("mnuFileSep")), m_recent);
    connect(m_recent, &RecentFilesMenu::chosen, this, &DesktopIntegration::openRecent);
    m_recent->setAccessibleName(QStringLiteral("Recent files"));
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

void DesktopIntegration::addRecent(const QString& path)
{
    m_recent->add(path);
}

void DesktopIntegration::openRecent(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        m_recent->remove(path);
        m_platform.message(m_window, QStringLiteral("Could not load the file"),
                           QStringLiteral("The file \"%1\" no longer exists. It was taken off the list of recent "
                                          "files.\r\n\r\nNothing was loaded.")
                               .arg(path),
                           Platform::Icon::Exclamation);
        return;
    }
    m_host.loadRom(path);
}

bool DesktopIntegration::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window) {
        return false;
    }
    if (event->type() == QEvent::DragEnter) {
        // Nothing is taken while a side window is in front or a load is running.
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (FileDrop::Cartridge(enter->mimeData()) && !QApplication::activeModalWidget() && m_host.acceptsFiles()) {
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
            QTimer::singleShot(0, m_window, [load = m_host.loadRom, file = *path] { load(file); });
        }
        return true;
    }
    return false;
}

void DesktopIntegration::showHelpText(const QString& path)
{
    QString error;
    const std::optional<QString> text = HelpCommand::ReadText(path, &error);
    if (!text) {
        m_platform.message(m_window, QStringLiteral("Help"), error, Platform::Icon::Exclamation);
        return;
    }
    if (!m_helpViewer) {
        m_helpViewer = new HelpViewer(*text, path, m_window);
        m_helpViewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_helpViewer->show();
    m_helpViewer->raise();
    m_helpViewer->activateWindow();
}
