#include "core/HelpCommand.h"

#include <QDir>

namespace HelpCommand {

QString HelpFilePath(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(HelpFileName));
}

QString WindowsCommandLine(const QString& folder)
{
    QString windowsFolder = folder;
    windowsFolder.replace(u'/', u'\\');
    while (windowsFolder.endsWith(u'\\')) {
        windowsFolder.chop(1);
    }
    return QStringLiteral("notepad.exe \"") + windowsFolder + u'\\' + QString::fromLatin1(HelpFileName) + u'"';
}

Command ForFolder(const QString& folder)
{
#ifdef Q_OS_WIN
    return {QStringLiteral("notepad.exe"), {QDir::toNativeSeparators(HelpFilePath(folder))}};
#else
    return {QStringLiteral("xdg-open"), {HelpFilePath(folder)}};
#endif
}

}  // namespace HelpCommand
