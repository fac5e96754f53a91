#include "ui/FileCommands.h"

#include "core/CartridgeFile.h"
#include "core/MapImageExport.h"
#include "core/PatchFormat.h"
#include "ui/CommonDialog.h"
#include "ui/Platform.h"

#include <QFileInfo>

namespace FileCommands {

namespace {

const QString UnsavedNote = QStringLiteral("The map has edits that are not saved yet.");

}  // namespace

void ExportMapImage(Platform& platform, QWidget* parent, const MapView& view)
{
    const auto options = platform.chooseMapImage(parent, {false, view.grid});
    if (!options) {
        return;
    }
    int filter = 0;
    auto path = platform.saveFileName(parent, QStringLiteral("Export Map Image"),
                                      {{QStringLiteral("PNG images (*.png)"), QStringLiteral("*.png")}}, &filter);
    if (!path) {
        return;
    }
    if (!path->endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        path->append(QLatin1String(".png"));
    }
    const QImage picture = MapImageExport::Render(
        view.image, view.strip, options->wholeOverworld ? MapImageExport::Area::Overworld : MapImageExport::Area::Block,
        view.block, options->grid, view.gridColor);
    QString error;
    if (!MapImageExport::WritePng(picture, *path, &error)) {
        platform.message(parent, QStringLiteral("Map image not exported"), error, Platform::Icon::Critical);
        return;
    }
    platform.message(parent, QStringLiteral("Map image exported"),
                     QStringLiteral("The file: \"%1\" was written (%2 \u00D7 %3 pixels).")
                         .arg(*path)
                         .arg(picture.width())
                         .arg(picture.height()),
                     Platform::Icon::Information);
}

void CreatePatch(Platform& platform, QWidget* parent, const QString& cartridgePath, bool unsavedMapEdits)
{
    if (unsavedMapEdits &&
        !platform.question(parent, QStringLiteral("Create Patch"),
                           UnsavedNote + QStringLiteral(" The patch is made from the file on disk and will not hold "
                                                        "them.\r\n\r\nMake the patch anyway?"))) {
        return;
    }
    const auto original = platform.openFileNameTitled(
        parent, QStringLiteral("Choose the original (unmodified) cartridge"), CommonDialog::OpenFilter());
    if (!original) {
        return;
    }
    using PatchFormat::Kind;
    int filter = 0;
    auto patchPath = platform.saveFileName(parent, QStringLiteral("Save Patch As"),
                                           {{PatchFormat::FilterDescription(Kind::Ips), QStringLiteral("*.ips")},
                                            {PatchFormat::FilterDescription(Kind::Bps), QStringLiteral("*.bps")}},
                                           &filter);
    if (!patchPath) {
        return;
    }
    const Kind kind = PatchFormat::ForFileName(&*patchPath, filter == 1 ? Kind::Bps : Kind::Ips);
    QString error;
    if (!PatchFormat::CreateFile(kind, *original, cartridgePath, *patchPath, &error)) {
        platform.message(parent, QStringLiteral("Patch not created"), error, Platform::Icon::Critical);
        return;
    }
    platform.message(
        parent, QStringLiteral("Patch created"),
        QStringLiteral("The patch \"%1\" turns \"%2\" into \"%3\".").arg(*patchPath, *original, cartridgePath),
        Platform::Icon::Information);
}

bool ApplyPatch(Platform& platform, QWidget* parent, const QString& cartridgePath, bool unsavedMapEdits)
{
    const auto patchPath =
        platform.openFileNameTitled(parent, QStringLiteral("Choose a patch to apply"),
                                    {{QStringLiteral("Patches (*.ips *.bps)"), QStringLiteral("*.ips *.bps")},
                                     {QStringLiteral("All Files(*.*)"), QStringLiteral("*.*")}});
    if (!patchPath) {
        return false;
    }
    QString text = QStringLiteral("Apply the patch \"%1\" to \"%2\"? The file is changed on disk and loaded again.")
                       .arg(*patchPath, cartridgePath);
    if (!QFileInfo::exists(CartridgeFile::backupPath(cartridgePath))) {
        text += QStringLiteral(" Its present state is kept in \"%1\".").arg(CartridgeFile::backupPath(cartridgePath));
    }
    if (unsavedMapEdits) {
        text += QStringLiteral("\r\n\r\n") + UnsavedNote + QStringLiteral(" They are lost.");
    }
    if (!platform.question(parent, QStringLiteral("Apply Patch"), text)) {
        return false;
    }
    QString error;
    if (!PatchFormat::ApplyFile(cartridgePath, *patchPath, &error)) {
        platform.message(parent, QStringLiteral("Patch not applied"),
                         error + QStringLiteral("\r\n\r\nThe file was not changed."), Platform::Icon::Critical);
        return false;
    }
    platform.message(parent, QStringLiteral("Patch applied"),
                     QStringLiteral("The patch \"%1\" was applied to the file: \"%2\"").arg(*patchPath, cartridgePath),
                     Platform::Icon::Information);
    return true;
}

}  // namespace FileCommands
