#include "ui/CommandLine.h"
#include "ui/QtPlatform.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>

namespace {

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Orvane II Map Editor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
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
    QGuiApplication::setDesktopFileName(QStringLiteral(ORVANE_DESKTOP_ID));

    QtPlatform platform;
    frmMain window(platform);
    window.show();
    if (const std::optional<QString> file = commandLine.file()) {
        // Loaded once the window is up, exactly as after the open dialog.
        QTimer::singleShot(0, &window, [&window, path = *file] { window.LoadRom(path); });
    }
    return app.exec();
}
