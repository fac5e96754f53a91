#pragma once

#include "core/MapCellChange.h"
#include "editor/Platform.h"

#include <QColor>
#include <QString>

#include <optional>

class CartridgeImage;
class QImage;

// The File menu's commands for files beside the cartridge: a picture of the
// map, and patches made from or applied to the cartridge file. Each asks
// through the platform with its dialogs in the cartridge's folder, asks
// before it replaces a file, reports every failure with the file and the
// reason, and confirms what it wrote.
namespace FileCommands {

struct MapView {
    const CartridgeImage& image;
    const QImage& strip;
    int block;
    bool grid;
    QColor gridColor;
};

// The options dialog starts from `choices`, which then hold what the user chose there.
void ExportMapImage(Platform& platform, const QString& cartridgePath, const MapView& view,
                    Platform::MapImageOptions& choices);

// The overworld as a Tiled map (with its tileset and picture) or a CSV file.
void ExportMap(Platform& platform, const QString& cartridgePath, const CartridgeImage& image, const QImage& strip);

// The map bytes a map file chosen by the user would change, once the user
// agreed to the count; nothing when cancelled, refused (with a message that
// names the file and the reason) or when nothing would change.
std::optional<MapCellChanges> ImportMap(Platform& platform, const QString& cartridgePath, const CartridgeImage& image);

void CreatePatch(Platform& platform, const QString& cartridgePath, bool unsavedMapEdits);

// True when the patch was applied, so the caller loads the file again.
bool ApplyPatch(Platform& platform, const QString& cartridgePath, bool unsavedMapEdits);

// True when nothing is at `path`, or the user agreed to replace the file there.
bool MayReplace(Platform& platform, const QString& title, const QString& path);

}  // namespace FileCommands
