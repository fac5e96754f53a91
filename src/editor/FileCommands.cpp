#include "editor/FileCommands.h"

#include "core/CartridgeFile.h"
#include "core/MapFormat.h"
#include "core/MapImageExport.h"
#include "core/MapLocations.h"
#include "core/OverworldTiles.h"
#include "core/PatchFormat.h"
#include "core/TiledMapReader.h"
#include "core/TiledMapWriter.h"
#include "editor/Platform.h"

#include <QFileInfo>

namespace FileCommands {

namespace {

const QString UnsavedNote = QStringLiteral("The map has edits that are not saved yet.");

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

}  // namespace

bool MayReplace(Platform& platform, const QString& title, const QString& path)
{
    // Asked here, once the name is final: the dialog saw the name as typed,
    // before its extension was added.
    return !QFileInfo::exists(path) ||
           platform.question(title, Platform::Paragraphs({QStringLiteral("The file \"%1\" already exists.").arg(path),
                                                          QStringLiteral("Replace it?")}));
}

void ExportMapImage(Platform& platform, const QString& cartridgePath, const MapView& view,
                    Platform::MapImageOptions& choices)
{
    const auto options = platform.chooseMapImage(choices);
    if (!options) {
        return;
    }
    choices = *options;
    const QString title = QStringLiteral("Export Map Image");
    int filter = 0;
    auto path = platform.saveFileName(title, {{QStringLiteral("PNG images (*.png)"), QStringLiteral("*.png")}},
                                      folderOf(cartridgePath), &filter);
    if (!path) {
        return;
    }
    if (!path->endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        path->append(QLatin1String(".png"));
    }
    if (!MayReplace(platform, title, *path)) {
        return;
    }
    const QImage picture = MapImageExport::Render(
        view.image, view.strip, options->wholeOverworld ? MapImageExport::Area::Overworld : MapImageExport::Area::Block,
        view.block, options->grid, view.gridColor);
    QString error;
    if (!MapImageExport::WritePng(picture, *path, &error)) {
        platform.message(QStringLiteral("Map image not exported"), error, Platform::Icon::Critical);
        return;
    }
    platform.message(QStringLiteral("Map image exported"),
                     QStringLiteral("The file: \"%1\" was written (%2 \u00D7 %3 pixels).")
                         .arg(*path)
                         .arg(picture.width())
                         .arg(picture.height()),
                     Platform::Icon::Information);
}

void ExportMap(Platform& platform, const QString& cartridgePath, const CartridgeImage& image, const QImage& strip)
{
    const QString title = QStringLiteral("Export Map");
    QList<Platform::FileFilter> filters;
    for (const MapFormat::Kind kind : MapFormat::Kinds) {
        filters.append({MapFormat::FilterDescription(kind), MapFormat::FilterPatterns(kind)});
    }
    int filter = 0;
    auto path = platform.saveFileName(title, filters, folderOf(cartridgePath), &filter);
    if (!path) {
        return;
    }
    // A name without a map suffix takes the one of the type chosen.
    if (!MapFormat::FromPath(*path) && filter >= 0 && filter < static_cast<int>(std::size(MapFormat::Kinds))) {
        path->append(u'.' + MapFormat::Suffixes(MapFormat::Kinds[filter]).first());
    }
    // The tileset and its picture are written beside the map: each is asked about.
    for (const QString& file : {*path, MapFormat::TilesetPath(*path), MapFormat::PicturePath(*path)}) {
        if (!file.isEmpty() && !MayReplace(platform, title, file)) {
            return;
        }
    }
    QString error;
    const auto locations = MapLocations::ReadAll(cartridgePath, &error);
    if (!locations || !TiledMapWriter::Export(*path, OverworldTiles::FromImage(image), *locations, strip, &error)) {
        platform.message(QStringLiteral("Map not exported"), error, Platform::Icon::Critical);
        return;
    }
    platform.message(QStringLiteral("Map exported"), QStringLiteral("The file: \"%1\" was written.").arg(*path),
                     Platform::Icon::Information);
}

std::optional<MapCellChanges> ImportMap(Platform& platform, const QString& cartridgePath, const CartridgeImage& image)
{
    const QString title = QStringLiteral("Import Map");
    const auto path = platform.openFileName(
        title,
        {{QStringLiteral("Maps (%1)").arg(MapFormat::AllPatterns()), MapFormat::AllPatterns()}, Platform::AllFiles()},
        folderOf(cartridgePath));
    if (!path) {
        return std::nullopt;
    }
    QString error;
    const auto tiles = MapFormat::FromPath(*path) ? TiledMapReader::Import(*path, &error) : std::nullopt;
    if (!tiles) {
        platform.message(QStringLiteral("Map not imported"),
                         error.isEmpty() ? QStringLiteral("The file \"%1\" is no map file this program reads: its "
                                                          "name must end with %2.")
                                               .arg(*path, MapFormat::SuffixList())
                                         : error,
                         Platform::Icon::Critical);
        return std::nullopt;
    }
    MapCellChanges changes = OverworldTiles::Changes(image, *tiles);
    if (changes.isEmpty()) {
        platform.message(title,
                         QStringLiteral("The map in \"%1\" is the overworld as it is: nothing changes.").arg(*path),
                         Platform::Icon::Information);
        return std::nullopt;
    }
    const QString text = QStringLiteral("Importing \"%1\" changes %2 of the overworld's %3 cells, as one step you can "
                                        "undo; the file changes only with \"Save Changes\".")
                             .arg(*path, QString::number(changes.size()), QString::number(MapCell::Count));
    if (!platform.question(title, Platform::Paragraphs({text, QStringLiteral("Import it?")}))) {
        return std::nullopt;
    }
    return changes;
}

void CreatePatch(Platform& platform, const QString& cartridgePath, bool unsavedMapEdits)
{
    const QString title = QStringLiteral("Create Patch");
    if (unsavedMapEdits &&
        !platform.question(title,
                           Platform::Paragraphs({UnsavedNote + QStringLiteral(" The patch is made from the file on "
                                                                              "disk and will not hold them."),
                                                 QStringLiteral("Make the patch anyway?")}))) {
        return;
    }
    // The backup the program made is the original the help suggests, so the picker shows it.
    const auto original = platform.openFileName(
        QStringLiteral("Choose the original (unmodified) cartridge"),
        {{QStringLiteral("Cartridges and backups (*.nes *.bak)"), QStringLiteral("*.nes *.bak")}, Platform::AllFiles()},
        folderOf(cartridgePath));
    if (!original) {
        return;
    }
    using PatchFormat::Kind;
    int filter = 0;
    auto patchPath = platform.saveFileName(QStringLiteral("Save Patch As"),
                                           {{PatchFormat::FilterDescription(Kind::Ips), QStringLiteral("*.ips")},
                                            {PatchFormat::FilterDescription(Kind::Bps), QStringLiteral("*.bps")}},
                                           folderOf(cartridgePath), &filter);
    if (!patchPath) {
        return;
    }
    const Kind kind = PatchFormat::ForFileName(&*patchPath, filter == 1 ? Kind::Bps : Kind::Ips);
    if (!MayReplace(platform, title, *patchPath)) {
        return;
    }
    QString error;
    switch (PatchFormat::CreateFile(kind, *original, cartridgePath, *patchPath, &error)) {
    case PatchFormat::Created::Failed:
        platform.message(QStringLiteral("Patch not created"), error, Platform::Icon::Critical);
        return;
    case PatchFormat::Created::Unchanged:
        platform.message(QStringLiteral("Patch not created"),
                         QStringLiteral("The files \"%1\" and \"%2\" are alike: a patch would change nothing, so "
                                        "\"%3\" was not written.")
                             .arg(*original, cartridgePath, *patchPath),
                         Platform::Icon::Information);
        return;
    case PatchFormat::Created::Written: break;
    }
    platform.message(
        QStringLiteral("Patch created"),
        QStringLiteral("The patch \"%1\" turns \"%2\" into \"%3\".").arg(*patchPath, *original, cartridgePath),
        Platform::Icon::Information);
}

bool ApplyPatch(Platform& platform, const QString& cartridgePath, bool unsavedMapEdits)
{
    const auto patchPath = platform.openFileName(
        QStringLiteral("Choose a patch to apply"),
        {{QStringLiteral("Patches (*.ips *.bps)"), QStringLiteral("*.ips *.bps")}, Platform::AllFiles()},
        folderOf(cartridgePath));
    if (!patchPath) {
        return false;
    }
    QStringList text{QStringLiteral("Apply the patch \"%1\" to \"%2\"? The file is changed on disk and loaded again.")
                         .arg(*patchPath, cartridgePath)};
    if (!QFileInfo::exists(CartridgeFile::backupPath(cartridgePath))) {
        text[0] +=
            QStringLiteral(" Its present state is kept in \"%1\".").arg(CartridgeFile::backupPath(cartridgePath));
    }
    if (unsavedMapEdits) {
        text << UnsavedNote + QStringLiteral(" They are lost.");
    }
    if (!platform.question(QStringLiteral("Apply Patch"), Platform::Paragraphs(text))) {
        return false;
    }
    QString error;
    if (!PatchFormat::ApplyFile(cartridgePath, *patchPath, &error)) {
        platform.message(QStringLiteral("Patch not applied"),
                         Platform::Paragraphs({error, QStringLiteral("The file was not changed.")}),
                         Platform::Icon::Critical);
        return false;
    }
    platform.message(QStringLiteral("Patch applied"),
                     QStringLiteral("The patch \"%1\" was applied to the file: \"%2\"").arg(*patchPath, cartridgePath),
                     Platform::Icon::Information);
    return true;
}

}  // namespace FileCommands
