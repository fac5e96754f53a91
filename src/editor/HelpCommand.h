#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// How the help text is opened: the desktop's viewer started on the help file
// beside the executable, the path passed as one argument and never through a shell.
namespace HelpCommand {

// The help file in `folder`.
QString HelpFilePath(const QString& folder);

// Where an installed program keeps its help file, relative to the folder of
// its executable ("../share/orvane-map-editor").
QString InstalledFolder(const QString& executableFolder);

// The help file beside the executable in `executableFolder`, or else the one
// at the install location; when neither exists, the one beside the executable.
QString Locate(const QString& executableFolder);

// The text of the help file, or nothing (and `error` naming the file and the
// reason) when it cannot be read.
std::optional<QString> ReadText(const QString& path, QString* error);

// The program and arguments that open the help file of the executable in
// `folder` (see Locate) on this platform.
struct Command {
    QString program;
    QStringList arguments;
};
Command ForFolder(const QString& folder);

}  // namespace HelpCommand
