#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Cartridge;
class Platform;
class QTemporaryDir;

// Tools > Test in Emulator: the cartridge file as a save would leave it, with
// the unsaved map edits, written to a temporary file of the cartridge's name
// and opened in an emulator started without waiting for it. The cartridge
// file is only read. Each run gets a folder of its own, so an emulator still
// running keeps the file it was given; every folder goes with the launcher
// (removeFiles()).
//
// The emulator is a command line, "%f" standing for the file (added as the
// last argument when missing), split into a program and its arguments and
// started without a shell, so the file's name is always one argument. An
// empty command means the first emulator of Candidates() on the PATH. The
// command is remembered in the platform's settings, when it has any.
class EmulatorLauncher {
public:
    explicit EmulatorLauncher(Platform& platform);
    ~EmulatorLauncher();

    // The emulators looked for on the PATH, in order; each opens the file given as its only argument.
    static QStringList Candidates();
    // The first of Candidates() on the PATH, as a command ("fceux %f"); empty when none is there.
    static QString DefaultCommand();
    // The program of `command` and its arguments for `file`; nothing when the command names no program.
    struct Start {
        QString program;
        QStringList arguments;
    };
    static std::optional<Start> StartFor(const QString& command, const QString& file);

    // The command set by the user; empty for the default.
    QString command() const;
    void setCommand(const QString& command);
    // Tools > Emulator...: asks for the command; cancelling keeps it.
    void chooseCommand();

    // Writes the copy and starts the emulator on it; false, with a message,
    // when no emulator is found (nothing is written then), the cartridge file
    // cannot be read, the copy cannot be written or the emulator not started.
    bool start(const Cartridge& cartridge);

    // Removes every copy made (the program is ending).
    void removeFiles();

private:
    void failed(const QString& text);

    Platform& m_platform;
    QString m_command;  // when the platform keeps no settings
    std::unique_ptr<QTemporaryDir> m_folder;
    int m_runs = 0;
};
