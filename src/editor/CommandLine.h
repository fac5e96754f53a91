#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the program was asked to do at start, read with the toolkit's own
// parser: start the editor (on a cartridge, if one is named), print its help
// or version, or do one job for a script without any window:
//
//   orvane-map-editor [FILE]
//   orvane-map-editor --export-map CARTRIDGE TARGET [--block N] [--grid] [--overwrite]
//   orvane-map-editor --import-map CARTRIDGE SOURCE
//   orvane-map-editor --create-patch ORIGINAL MODIFIED PATCH
//   orvane-map-editor --apply-patch CARTRIDGE PATCH
class CommandLine {
public:
    enum class Job { Start, Print, ExportMap, ImportMap, CreatePatch, ApplyPatch };

    // Reads the arguments (the program's name first). The application's name
    // and version must be set before, as --version prints them.
    explicit CommandLine(const QStringList& arguments);

    Job job() const { return m_job; }
    // Print: the text and the exit code (0 for --help and --version, 2 for a usage error).
    std::optional<int> exitCode() const { return m_exitCode; }
    const QString& output() const { return m_output; }

    // Start: the cartridge named, as a full path, if any.
    std::optional<QString> file() const { return m_files.isEmpty() ? std::nullopt : std::optional(m_files.first()); }
    // A job's files, in the order of its synopsis, as full paths.
    const QStringList& files() const { return m_files; }
    // --block N for a picture of one block (1..8); else the whole overworld.
    std::optional<int> block() const { return m_block; }
    bool grid() const { return m_grid; }
    // --overwrite: an export may replace the files it writes beside a Tiled map.
    bool overwrite() const { return m_overwrite; }

private:
    void usage(const QString& problem, const QString& help);

    Job m_job = Job::Start;
    std::optional<int> m_exitCode;
    QString m_output;
    QStringList m_files;
    std::optional<int> m_block;
    bool m_grid = false;
    bool m_overwrite = false;
};
