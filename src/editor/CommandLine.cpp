#include "editor/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

CommandLine::CommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the overworld map and the game data of an \"Orvane II: The Seeker's Crown\" "
                       "cartridge file (.nes)."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The cartridge file to load at start."),
                                 QStringLiteral("[file]"));

    if (!parser.parse(arguments)) {
        m_exitCode = 1;
        m_output = parser.errorText() + QStringLiteral("\n\n") + parser.helpText();
        return;
    }
    // The parser's own texts, printed by the caller: --help and --version end
    // the program before any window exists.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        m_exitCode = 0;
        m_output = parser.helpText();
        return;
    }
    if (parser.isSet(version)) {
        m_exitCode = 0;
        m_output = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
        return;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        m_exitCode = 1;
        m_output =
            QStringLiteral("Only one file can be loaded; %1 were given.\n\n").arg(files.size()) + parser.helpText();
        return;
    }
    if (!files.isEmpty()) {
        // The load quotes and saves to the full path, as after the open dialog.
        m_file = QFileInfo(files.first()).absoluteFilePath();
    }
}
