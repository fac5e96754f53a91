#include "editor/HeadlessJobs.h"

#include "core/Cartridge.h"
#include "core/FileSetWriter.h"
#include "core/MapDocument.h"
#include "core/MapFormat.h"
#include "core/MapImageExport.h"
#include "core/MapLocations.h"
#include "core/NumberText.h"
#include "core/OverworldTiles.h"
#include "core/PatchFormat.h"
#include "core/TileRaster.h"
#include "core/TiledMapReader.h"
#include "core/TiledMapWriter.h"
#include "editor/CommandLine.h"

#include <QColor>
#include <QFileInfo>

namespace HeadlessJobs {

namespace {

Result refused(const QString& why)
{
    return {1, why};
}

// Refused unless the file at `path` looks like a cartridge and holds the
// whole map (the editor asks about such files; a script cannot answer).
bool isWholeCartridge(const QString& path, QString* error)
{
    const auto start = CartridgeFile::readAvailable(path, 0, Cartridge::ImageEnd, error);
    if (!start) {
        return false;
    }
    if (!Cartridge::HasSignature(*start)) {
        *error =
            QStringLiteral("The file \"%1\" does not start with the iNES signature of a cartridge file.").arg(path);
        return false;
    }
    if (start->size() < Cartridge::ImageEnd) {
        *error = CartridgeFile::tooShortText(path, start->size(), Cartridge::ImageEnd);
        return false;
    }
    return true;
}

// The cartridge at `path`, read as a load does, when it is a whole cartridge.
std::optional<Cartridge> cartridgeAt(const QString& path, QString* error)
{
    Cartridge cartridge;
    if (!isWholeCartridge(path, error) || !cartridge.LoadCartridge(path, error)) {
        return std::nullopt;
    }
    return cartridge;
}

Result exportMap(const CommandLine& commandLine)
{
    const QString& source = commandLine.files()[0];
    const QString& target = commandLine.files()[1];
    const bool picture = target.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    if (!picture && !MapFormat::FromPath(target)) {
        return {2, QStringLiteral("\"%1\" names no map format: end it with %2.")
                       .arg(target, MapFormat::SuffixList(QStringLiteral("png")))};
    }
    QString error;
    const std::optional<Cartridge> cartridge = cartridgeAt(source, &error);
    if (!cartridge) {
        return refused(error);
    }
    const QImage strip = TileRaster::BuildTileStrip(TileRaster::LoadSheets());
    if (picture) {
        const auto area = commandLine.block() ? MapImageExport::Area::Block : MapImageExport::Area::Overworld;
        const QImage image = MapImageExport::Render(cartridge->image(), strip, area, commandLine.block().value_or(1),
                                                    commandLine.grid(), QColor(255, 0, 0));
        if (!MapImageExport::WritePng(image, target, &error)) {
            return refused(error);
        }
        return {
            0,
            QStringLiteral("Wrote \"%1\" (%2 \u00D7 %3 pixels).").arg(target).arg(image.width()).arg(image.height())};
    }
    const auto locations = MapLocations::ReadAll(source, &error);
    if (!locations) {
        return refused(error);
    }
    const QList<TiledMapWriter::File> files =
        TiledMapWriter::Files(target, OverworldTiles::FromImage(cartridge->image()), *locations, strip);
    // The target was named; the files beside it were not, and a script cannot
    // be asked: one that holds anything else is replaced only with --overwrite.
    QStringList written;
    QStringList kept;
    FileSetWriter writer;
    for (const TiledMapWriter::File& file : files) {
        if (!written.isEmpty() && !commandLine.overwrite() && QFileInfo::exists(file.path) &&
            CartridgeFile::readAll(file.path, nullptr) != file.contents) {
            kept << file.path;
        }
        written << file.path;
        writer.add(file.path, file.contents);
    }
    if (!kept.isEmpty()) {
        return refused((kept.size() == 1
                            ? QStringLiteral("The file \"%1\" already exists and holds something other "
                                             "than what this export writes there; nothing was written. Add "
                                             "--overwrite to replace it.")
                            : QStringLiteral("The files \"%1\" already exist and hold something other "
                                             "than what this export writes there; nothing was written. Add "
                                             "--overwrite to replace them."))
                           .arg(kept.join(QStringLiteral("\", \""))));
    }
    if (!writer.commit(&error)) {
        return refused(error);
    }
    return {0, QStringLiteral("Wrote \"%1\".").arg(written.join(QStringLiteral("\", \"")))};
}

Result importMap(const CommandLine& commandLine)
{
    const QString& target = commandLine.files()[0];
    const QString& source = commandLine.files()[1];
    if (!MapFormat::FromPath(source)) {
        return {
            2, QStringLiteral("\"%1\" names no map format: it must end with %2.").arg(source, MapFormat::SuffixList())};
    }
    QString error;
    const auto tiles = TiledMapReader::Import(source, &error);
    if (!tiles) {
        return refused(error);
    }
    // The map changes through the document, as the editor's import does, and is saved as the editor saves it.
    MapDocument document;
    if (!isWholeCartridge(target, &error) || !document.load(target, &error)) {
        return refused(error);
    }
    const auto changes = OverworldTiles::Changes(document.image(), *tiles);
    if (changes.isEmpty()) {
        return {0, QStringLiteral("\"%1\" already holds the map of \"%2\"; nothing was written.").arg(target, source)};
    }
    document.applyEdit(QStringLiteral("Import"), changes);
    if (!document.save(&error)) {
        return refused(error);
    }
    return {0, NumberText::Counted(changes.size(), QStringLiteral("Wrote %1 changed cell from \"%2\" into \"%3\"."),
                                   QStringLiteral("Wrote %1 changed cells from \"%2\" into \"%3\"."))
                   .arg(source, target)};
}

Result createPatch(const CommandLine& commandLine)
{
    const QString& original = commandLine.files()[0];
    const QString& modified = commandLine.files()[1];
    QString patch = commandLine.files()[2];
    const QString suffix = QFileInfo(patch).suffix().toLower();
    if (suffix != QLatin1String("ips") && suffix != QLatin1String("bps")) {
        return {2, QStringLiteral("\"%1\" names no patch format: end it with .ips or .bps.").arg(patch)};
    }
    const auto kind = PatchFormat::ForFileName(&patch, PatchFormat::Kind::Ips);
    QString error;
    switch (PatchFormat::CreateFile(kind, original, modified, patch, &error)) {
    case PatchFormat::Created::Failed: return refused(error);
    case PatchFormat::Created::Unchanged:
        return refused(
            QStringLiteral("\"%1\" and \"%2\" are alike: a patch would change nothing; \"%3\" was not written.")
                .arg(original, modified, patch));
    case PatchFormat::Created::Written: break;
    }
    return {0, QStringLiteral("Wrote \"%1\", which turns \"%2\" into \"%3\".").arg(patch, original, modified)};
}

Result applyPatch(const CommandLine& commandLine)
{
    const QString& cartridge = commandLine.files()[0];
    const QString& patch = commandLine.files()[1];
    QString error;
    if (!PatchFormat::ApplyFile(cartridge, patch, &error)) {
        return refused(error);
    }
    return {0, QStringLiteral("Applied \"%1\" to \"%2\".").arg(patch, cartridge)};
}

}  // namespace

Result Run(const CommandLine& commandLine)
{
    switch (commandLine.job()) {
    case CommandLine::Job::ExportMap: return exportMap(commandLine);
    case CommandLine::Job::ImportMap: return importMap(commandLine);
    case CommandLine::Job::CreatePatch: return createPatch(commandLine);
    case CommandLine::Job::ApplyPatch: return applyPatch(commandLine);
    default: return {commandLine.exitCode().value_or(0), commandLine.output()};
    }
}

}  // namespace HeadlessJobs
