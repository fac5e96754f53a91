#include "core/ProgramInfo.h"
#include "editor/CommandLine.h"
#include "editor/EditorSession.h"
#include "editor/HeadlessJobs.h"
#include "ui/QtPlatform.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

void nameApplication()
{
    QCoreApplication::setApplicationName(QLatin1String(ProgramInfo::Name));
    QCoreApplication::setApplicationVersion(QLatin1String(ProgramInfo::Version));
}

// Prints what a job or the command line says, on standard error unless all went well.
int print(const HeadlessJobs::Result& result)
{
    QString text = result.output;
    if (!text.endsWith(u'\n')) {
        text += u'\n';
    }
    std::fputs(text.toLocal8Bit().constData(), result.exitCode == 0 ? stdout : stderr);
    return result.exitCode;
}

}  // namespace

int main(int argc, char* argv[])
{
    {
        // --help, --version and the jobs for scripts need no display: only a
        // core application exists while they run.
        QCoreApplication probe(argc, argv);
        nameApplication();
        const QStringList arguments = QCoreApplication::arguments();
        const CommandLine commandLine(arguments);
        // The toolkit's own options ("-platform xcb") are read as errors here
        // and taken out by the application below; any other error is told now.
        const bool toolkitOptions = std::any_of(arguments.begin() + 1, arguments.end(), [](const QString& a) {
            return a.size() > 1 && a[0] == u'-' && a[1] != u'-';
        });
        if (commandLine.job() != CommandLine::Job::Start && (commandLine.exitCode() != 2 || !toolkitOptions)) {
            return print(HeadlessJobs::Run(commandLine));
        }
    }

    // The toolkit takes its own options (-platform, -style ...) out of the
    // arguments here; whatever is left is read again.
    QApplication app(argc, argv);
    nameApplication();
    const CommandLine commandLine(QCoreApplication::arguments());
    if (commandLine.job() != CommandLine::Job::Start) {
        return print(HeadlessJobs::Run(commandLine));
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
