#include "core/ProgramInfo.h"
#include "editor/CommandLine.h"
#include "editor/EditorSession.h"
#include "ui/QtPlatform.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>

namespace {

void nameApplication()
{
    QCoreApplication::setApplicationName(QLatin1String(ProgramInfo::Name));
    QCoreApplication::setApplicationVersion(QLatin1String(ProgramInfo::Version));
}

int print(const CommandLine& commandLine)
{
    const int code = commandLine.exitCode().value_or(0);
    std::fputs(commandLine.output().toLocal8Bit().constData(), code == 0 ? stdout : stderr);
    return code;
}

}  // namespace

int main(int argc, char* argv[])
{
    {
        // --help and --version answer without a display: only a core
        // application exists while they are read.
        QCoreApplication probe(argc, argv);
        nameApplication();
        const CommandLine commandLine(QCoreApplication::arguments());
        if (commandLine.exitCode() == 0) {
            return print(commandLine);
        }
    }

    // The toolkit takes its own options (-platform, -style ...) out of the
    // arguments here; whatever is left is read again.
    QApplication app(argc, argv);
    nameApplication();
    const CommandLine commandLine(QCoreApplication::arguments());
    if (commandLine.exitCode()) {
        return print(commandLine);
    }
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/orvane.png"));
    icon.addFile(QStringLiteral(":/icons/orvane-64.png"));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QLatin1String(ProgramInfo::DesktopId));

    QtPlatform platform;
    EditorSession session(platform);
    session.setHelpFolder(QCoreApplication::applicationDirPath());
    frmMain window(session, platform);
    platform.setMainWindow(&window);
    window.show();
    if (const std::optional<QString> file = commandLine.file()) {
        // Loaded once the window is up, exactly as after the open dialog.
        QTimer::singleShot(0, &session, [&session, path = *file] { session.LoadRom(path); });
    }
    return app.exec();
}
