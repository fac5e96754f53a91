#include "core/MapLocations.h"

#include "core/LocationFields.h"

namespace MapLocations {

std::optional<QList<MapLocation>> Read(const QString& path, const LocationFields::Table& table, bool towns,
                                       QString* error)
{
    const auto cells = LocationFields::Read(path, table, error);
    if (!cells) {
        return std::nullopt;
    }
    QList<MapLocation> locations;
    for (qsizetype i = 0; i < cells->size(); ++i) {
        const QString& label = table.rows[i].label;
        locations.append({label.endsWith(u':') ? label.chopped(1) : label, cells->at(i), towns});
    }
    return locations;
}

std::optional<QList<MapLocation>> ReadAll(const QString& path, QString* error)
{
    auto towns = Read(path, LocationFields::Towns(), true, error);
    const auto items = towns ? Read(path, LocationFields::Items(), false, error) : std::nullopt;
    if (!items) {
        return std::nullopt;
    }
    return *towns + *items;
}

}  // namespace MapLocations
