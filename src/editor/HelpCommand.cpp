#include "editor/HelpCommand.h"

#include "core/ProgramInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace HelpCommand {

QString HelpFilePath(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(ProgramInfo::HelpFileName));
}

QString InstalledFolder(const QString& executableFolder)
{
    return QDir::cleanPath(QDir(executableFolder).filePath(QString::fromLatin1(ProgramInfo::HelpInstallFolder)));
}

QString Locate(const QString& executableFolder)
{
    const QString beside = HelpFilePath(executableFolder);
    const QString installed = HelpFilePath(InstalledFolder(executableFolder));
    return !QFileInfo(beside).isFile() && QFileInfo(installed).isFile() ? installed : beside;
}

std::optional<QString> ReadText(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error) {
            *error = QStringLiteral("The help file \"%1\" could not be opened: %2.").arg(path, file.errorString());
        }
        return std::nullopt;
    }
    return QString::fromUtf8(file.readAll());
}

Command ForFolder(const QString& folder)
{
#ifdef Q_OS_WIN
    return {QStringLiteral("notepad.exe"), {QDir::toNativeSeparators(Locate(folder))}};
#else
    return {QStringLiteral("xdg-open"), {Locate(folder)}};
#endif
}

}  // namespace HelpCommand
