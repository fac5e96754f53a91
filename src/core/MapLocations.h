#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace LocationFields {
struct Table;
}

// A town, item or the balloon where the cartridge file puts it on the overworld.
struct MapLocation {
    QString name;  // the window's label without its colon: "Ferrow", "Balloon(transport)"
    int column = 0;  // 0..255
    int row = 0;  // overworld row, 0..255
    bool town = false;
};

// The locations of the towns window and the items window, read from the
// cartridge file through the same table the windows use.
namespace MapLocations {

// Every row of `table`, in row order, marked as towns or not; nothing (and
// `error` naming the file and the reason) when the file cannot give them all.
std::optional<QList<MapLocation>> Read(const QString& path, const LocationFields::Table& table, bool towns,
                                       QString* error);

// The twelve towns, then the five items and the balloon.
std::optional<QList<MapLocation>> ReadAll(const QString& path, QString* error);

}  // namespace MapLocations
