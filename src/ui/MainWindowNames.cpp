#include "ui/MainWindowNames.h"

#include <QWidget>

#include <utility>

namespace MainWindowNames {

void Apply(QWidget* window)
{
    const std::pair<const char*, const char*> names[] = {
        {"Frame1", "Tile palette and readouts"},
        {"vsTiles", "Tile palette scroll bar"},
        {"picHolder_00", "Tile palette view"},
        {"picTileset", "Tile palette"},
        {"shpPoint", "Current tile frame"},
        {"picTileZoom", "Current tile, enlarged"},
        {"Frame2", "Overworld block"},
        {"picHolder_01", "Map view"},
        {"picMap", "Overworld map"},
        {"shpMap", "Map cell marker"},
        {"vsMap", "Map vertical scroll bar"},
        {"hsMap", "Map horizontal scroll bar"},
        {"cboBlock", "Block"},
        {"picGridColor", "Grid color"},
        {"chkGrid", "Show grid"},
    };
    for (const auto& [object, name] : names) {
        auto* widget = window->findChild<QWidget*>(QString::fromLatin1(object));
        Q_ASSERT(widget);
        widget->setAccessibleName(QString::fromLatin1(name));
    }
}

}  // namespace MainWindowNames
