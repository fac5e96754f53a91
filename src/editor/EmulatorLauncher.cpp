#include "editor/EmulatorLauncher.h"

#include "core/Cartridge.h"
#include "core/ProgramInfo.h"
#include "editor/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QString Title = QStringLiteral("Test in Emulator");
const QString SettingsKey = QStringLiteral("emulator/command");
const QString FilePlaceholder = QStringLiteral("%f");

}  // namespace

EmulatorLauncher::EmulatorLauncher(Platform& platform) : m_platform(platform) {}

EmulatorLauncher::~EmulatorLauncher()
{
    removeFiles();
}

QStringList EmulatorLauncher::Candidates()
{
    return {QStringLiteral("fceux"), QStringLiteral("nestopia"), QStringLiteral("mednafen")};
}

QString EmulatorLauncher::DefaultCommand()
{
    for (const QString& program : Candidates()) {
        if (!QStandardPaths::findExecutable(program).isEmpty()) {
            return program + QLatin1Char(' ') + FilePlaceholder;
        }
    }
    return {};
}

std::optional<EmulatorLauncher::Start> EmulatorLauncher::StartFor(const QString& command, const QString& file)
{
    // Split first, then put the file in: whatever its name holds (blanks,
    // quotes, ";", "$"), it stays within its argument.
    QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty() || words.first().isEmpty()) {
        return std::nullopt;
    }
    Start start{words.takeFirst(), {}};
    bool placed = false;
    for (QString& word : words) {
        placed = placed || word.contains(FilePlaceholder);
        start.arguments << word.replace(FilePlaceholder, file);
    }
    if (!placed) {
        start.arguments << file;
    }
    return start;
}

QString EmulatorLauncher::command() const
{
    const QSettings* settings = m_platform.settings();
    return settings ? settings->value(SettingsKey).toString() : m_command;
}

void EmulatorLauncher::setCommand(const QString& command)
{
    const QString trimmed = command.trimmed();
    if (QSettings* settings = m_platform.settings()) {
        settings->setValue(SettingsKey, trimmed);
    } else {
        m_command = trimmed;
    }
}

void EmulatorLauncher::chooseCommand()
{
    const QString found = DefaultCommand();
    const QString label =
        QStringLiteral("The command that starts the emulator. %f stands for the cartridge file; without it the file "
                       "is added at the end.\nLeave it empty for the first of fceux, nestopia and mednafen on the "
                       "PATH (%1).")
            .arg(found.isEmpty() ? QStringLiteral("none is there now") : QStringLiteral("now: ") + found);
    if (const std::optional<QString> answer = m_platform.askText(QStringLiteral("Emulator"), label, command())) {
        setCommand(*answer);
    }
}

void EmulatorLauncher::failed(const QString& text)
{
    m_platform.message(Title, Platform::Paragraphs({text, QStringLiteral("No emulator was started.")}),
                       Platform::Icon::Critical);
}

bool EmulatorLauncher::start(const Cartridge& cartridge)
{
    const QString chosen = command();
    const QString command = chosen.isEmpty() ? DefaultCommand() : chosen;
    if (command.isEmpty()) {
        m_platform.message(
            Title,
            Platform::Paragraphs(
                {QStringLiteral("No emulator was found: none is set in Tools > Emulator..., and none of fceux, "
                                "nestopia and mednafen is on the PATH."),
                 QStringLiteral("Install one of them from the Debian packages fceux, nestopia or mednafen (for "
                                "example: sudo apt install fceux), or choose Tools > Emulator... to set the command "
                                "that starts yours.")}),
            Platform::Icon::Exclamation);
        return false;
    }
    if (!StartFor(command, {})) {
        failed(QStringLiteral("The emulator command \"%1\" names no program.").arg(command));
        return false;
    }

    QString error;
    const std::optional<QByteArray> bytes = cartridge.savedBytes(&error);
    if (!bytes) {
        failed(error);
        return false;
    }
    if (!m_folder) {
        m_folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QLatin1Char('/') +
                                                   QLatin1String(ProgramInfo::FileName) + QStringLiteral("-XXXXXX"));
    }
    if (!m_folder->isValid()) {
        failed(QStringLiteral("No temporary folder could be made for the copy: %1.").arg(m_folder->errorString()));
        m_folder.reset();
        return false;
    }
    // A folder of its own for every run: an emulator still running keeps its file.
    const QString folder = m_folder->filePath(QString::number(++m_runs));
    const QString file = folder + QLatin1Char('/') + QFileInfo(cartridge.CartridgePath()).fileName();
    QFile out(file);
    if (!QDir().mkpath(folder) || !out.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        out.write(*bytes) != bytes->size() || !out.flush()) {
        failed(QStringLiteral("The copy \"%1\" could not be written: %2.").arg(file, out.errorString()));
        QDir(folder).removeRecursively();
        return false;
    }
    out.close();

    const Start start = *StartFor(command, file);
    if (!m_platform.startDetached(start.program, start.arguments, &error)) {
        failed(QStringLiteral("The emulator \"%1\" could not be started: %2.").arg(start.program, error));
        QDir(folder).removeRecursively();
        return false;
    }
    return true;
}

void EmulatorLauncher::removeFiles()
{
    m_folder.reset();
}
