#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the program was asked to do at start: `orvane-map-editor [FILE]`,
// read with the toolkit's own parser, which also answers --help and --version.
class CommandLine {
public:
    // Reads the arguments (the program's name first). The application's name
    // and version must be set before, as --version prints them.
    explicit CommandLine(const QStringList& arguments);

    // Set when the program should print `output` and end with this code
    // instead of starting (--help, --version, an unknown option).
    std::optional<int> exitCode() const { return m_exitCode; }
    const QString& output() const { return m_output; }

    // The cartridge named on the command line as a full path, if any.
    std::optional<QString> file() const { return m_file; }

private:
    std::optional<int> m_exitCode;
    QString m_output;
    std::optional<QString> m_file;
};
