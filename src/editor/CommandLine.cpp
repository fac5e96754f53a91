#include "editor/CommandLine.h"

#include "core/ProgramInfo.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace {

struct JobOption {
    CommandLine::Job job;
    const char* name;
    const char* description;
    const char* files;  // the files it takes, for the usage text
    int count;
};

const JobOption Jobs[] = {
    {CommandLine::Job::ExportMap, "export-map",
     "Writes the overworld of CARTRIDGE to TARGET, in the format its name ends with: .tmx or .tmj/.json (a Tiled "
     "map, with its tileset and tileset picture beside it), .csv, or .png (a picture; with --block N of one block, "
     "with --grid with the grid). TARGET is replaced; a tileset or picture file of those names that holds anything "
     "else is replaced only with --overwrite.",
     "CARTRIDGE TARGET", 2},
    {CommandLine::Job::ImportMap, "import-map",
     "Writes the overworld of SOURCE (a Tiled map or a CSV file) into CARTRIDGE, which is backed up first.",
     "CARTRIDGE SOURCE", 2},
    {CommandLine::Job::CreatePatch, "create-patch", "Writes PATCH (.ips or .bps), which turns ORIGINAL into MODIFIED.",
     "ORIGINAL MODIFIED PATCH", 3},
    {CommandLine::Job::ApplyPatch, "apply-patch", "Applies PATCH (IPS or BPS) to CARTRIDGE, which is backed up first.",
     "CARTRIDGE PATCH", 2},
};

}  // namespace

void CommandLine::usage(const QString& problem, const QString& help)
{
    m_job = Job::Print;
    m_exitCode = 2;
    m_output = problem + QStringLiteral("\n\n") + help;
}

CommandLine::CommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the overworld map and the game data of an \"%1\" "
                       "cartridge file (.nes). With a job option it does that one job without any window and exits: "
                       "0 when done, 1 when an input is refused or a file cannot be written (nothing is then "
                       "changed), 2 for a usage error.")
            .arg(QLatin1String(ProgramInfo::GameTitle)));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const JobOption& job : Jobs) {
        parser.addOption({QString::fromLatin1(job.name),
                          QString::fromLatin1(job.description) + QStringLiteral(" Takes %1.").arg(job.files)});
    }
    const QCommandLineOption block(QStringLiteral("block"),
                                   QStringLiteral("With --export-map to a .png: block N only."), QStringLiteral("N"));
    const QCommandLineOption grid(QStringLiteral("grid"),
                                  QStringLiteral("With --export-map to a .png: draw the grid."));
    const QCommandLineOption overwrite(
        QStringLiteral("overwrite"),
        QStringLiteral("With --export-map to a Tiled map: replace the tileset and picture files beside it."));
    parser.addOptions({block, grid, overwrite});
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The cartridge file to load at start."),
                                 QStringLiteral("[file]"));

    if (!parser.parse(arguments)) {
        usage(parser.errorText(), parser.helpText());
        return;
    }
    // The parser's own texts, printed by the caller: --help and --version end
    // the program before any window exists.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        m_job = Job::Print;
        m_exitCode = 0;
        m_output = parser.helpText();
        return;
    }
    if (parser.isSet(version)) {
        m_job = Job::Print;
        m_exitCode = 0;
        m_output = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
        return;
    }
    // The load and the jobs quote and write the full paths, as after a dialog.
    for (const QString& file : parser.positionalArguments()) {
        m_files << QFileInfo(file).absoluteFilePath();
    }
    const JobOption* chosen = nullptr;
    for (const JobOption& job : Jobs) {
        if (parser.isSet(QString::fromLatin1(job.name))) {
            if (chosen) {
                usage(QStringLiteral("Only one job can be done at a time."), parser.helpText());
                return;
            }
            chosen = &job;
        }
    }
    if (!chosen) {
        if (m_files.size() > 1) {
            usage(QStringLiteral("Only one file can be loaded; %1 were given.").arg(m_files.size()), parser.helpText());
        } else if (parser.isSet(block) || parser.isSet(grid) || parser.isSet(overwrite)) {
            usage(QStringLiteral("--block, --grid and --overwrite go with --export-map."), parser.helpText());
        }
        return;
    }
    if (parser.isSet(overwrite) && chosen->job != Job::ExportMap) {
        usage(QStringLiteral("--overwrite goes with --export-map."), parser.helpText());
        return;
    }
    const QString name = QStringLiteral("--") + QString::fromLatin1(chosen->name);
    if (m_files.size() != chosen->count) {
        usage(QStringLiteral("%1 takes %2.").arg(name, QString::fromLatin1(chosen->files)), parser.helpText());
        return;
    }
    m_job = chosen->job;
    const bool picture = m_job == Job::ExportMap && m_files[1].endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    if ((parser.isSet(block) || parser.isSet(grid)) && !picture) {
        usage(QStringLiteral("--block and --grid go with --export-map to a .png picture."), parser.helpText());
        return;
    }
    if (parser.isSet(block)) {
        bool number = false;
        const int n = parser.value(block).toInt(&number);
        if (!number || n < 1 || n > 8) {
            usage(QStringLiteral("--block takes a block number from 1 to 8, not \"%1\".").arg(parser.value(block)),
                  parser.helpText());
            return;
        }
        m_block = n;
    }
    m_grid = parser.isSet(grid);
    m_overwrite = parser.isSet(overwrite);
}
