#pragma once

#include <QColor>
#include <QString>

class CartridgeImage;
class Platform;
class QImage;
class QWidget;

// The File menu's commands for files beside the cartridge: a picture of the
// map, and patches made from or applied to the cartridge file. Each asks
// through the platform, reports every failure with the file and the reason,
// and confirms what it wrote.
namespace FileCommands {

struct MapView {
    const CartridgeImage& image;
    const QImage& strip;
    int block;
    bool grid;
    QColor gridColor;
};

void ExportMapImage(Platform& platform, QWidget* parent, const MapView& view);

void CreatePatch(Platform& platform, QWidget* parent, const QString& cartridgePath, bool unsavedMapEdits);

// True when the patch was applied, so the caller loads the file again.
bool ApplyPatch(Platform& platform, QWidget* parent, const QString& cartridgePath, bool unsavedMapEdits);

}  // namespace FileCommands
