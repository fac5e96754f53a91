#pragma once

#include <QString>
#include <QStringList>

// How the help text is opened: the desktop's viewer started on the help file
// beside the executable, the path passed as one argument and never through a shell.
namespace HelpCommand {

inline constexpr char HelpFileName[] = "Orvane II Map Editor v1.0.txt";

// The help file in `folder`.
QString HelpFilePath(const QString& folder);

// The program and arguments that open the help file on this platform.
struct Command {
    QString program;
    QStringList arguments;
};
Command ForFolder(const QString& folder);

// The Windows command line: notepad.exe "<folder>\Orvane II Map Editor v1.0.txt".
QString WindowsCommandLine(const QString& folder);

}  // namespace HelpCommand
