#pragma once

#include "core/MapCell.h"

#include <QList>
#include <QString>

#include <optional>

namespace LocationFields {
struct Table;
}

// A town, item or the balloon where the cartridge file puts it on the overworld.
struct MapLocation {
    QString name;  // the table's label without its colon: "Ferrow", "Balloon(transport)"
    MapCell cell;
    bool town = false;
};

// The locations of the towns, the items and the balloon, read from the
// cartridge file through the same tables the location windows use.
namespace MapLocations {

// Every row of `table`, in row order, marked as towns or not; nothing (and
// `error` naming the file and the reason) when the file cannot give them all.
std::optional<QList<MapLocation>> Read(const QString& path, const LocationFields::Table& table, bool towns,
                                       QString* error);

// The twelve towns, then the five items and the balloon.
std::optional<QList<MapLocation>> ReadAll(const QString& path, QString* error);

}  // namespace MapLocations
