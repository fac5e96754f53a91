#include "ui/FileMenuCommands.h"

#include "core/MapDocument.h"
#include "ui/ExternalChangeWatcher.h"
#include "ui/Platform.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

FileMenuCommands::FileMenuCommands(Platform& platform, QWidget* window, QMenu* fileMenu, MapDocument& document,
                                   Host host)
    : QObject(window), m_platform(platform), m_window(window), m_doc(document), m_host(std::move(host))
{
    m_watcher = new ExternalChangeWatcher(
        platform, window, [this] { return m_doc.isModified(); }, [this] { reloadMapFromDisk(); });

    const auto add = [this, fileMenu](const QString& name, const QString& caption, void (FileMenuCommands::*slot)()) {
        QAction* action = fileMenu->addAction(caption);
        action->setObjectName(name);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_export =
        add(QStringLiteral("mnuFileExport"), QStringLiteral("&Export Map Image..."), &FileMenuCommands::exportMapImage);
    m_createPatch =
        add(QStringLiteral("mnuFileCreatePatch"), QStringLiteral("Create &Patch..."), &FileMenuCommands::createPatch);
    m_applyPatch =
        add(QStringLiteral("mnuFileApplyPatch"), QStringLiteral("&Apply Patch..."), &FileMenuCommands::applyPatch);
}

void FileMenuCommands::cartridgeLoaded(const QString& path)
{
    for (QAction* action : {m_export, m_createPatch, m_applyPatch}) {
        action->setEnabled(true);
    }
    m_watcher->watch(path);
}

void FileMenuCommands::exportMapImage()
{
    if (m_doc.isLoaded()) {
        FileCommands::ExportMapImage(m_platform, m_window, m_host.mapView());
    }
}

void FileMenuCommands::createPatch()
{
    if (m_doc.isLoaded()) {
        FileCommands::CreatePatch(m_platform, m_window, m_doc.cartridge().CartridgePath(), m_doc.isModified());
    }
}

void FileMenuCommands::applyPatch()
{
    if (m_doc.isLoaded() &&
        FileCommands::ApplyPatch(m_platform, m_window, m_doc.cartridge().CartridgePath(), m_doc.isModified())) {
        m_host.loadRom(m_doc.cartridge().CartridgePath());
    }
}

void FileMenuCommands::reloadMapFromDisk()
{
    QString error;
    const int block = m_doc.currentBlock();
    if (!m_doc.load(m_doc.cartridge().CartridgePath(), &error)) {
        m_platform.message(m_window, QStringLiteral("Could not load the file"),
                           error + QStringLiteral("\r\n\r\nThe map shown is the one loaded before."),
                           Platform::Icon::Critical);
        return;
    }
    m_host.drawBlock(block);
}
