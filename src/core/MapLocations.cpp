#include "core/MapLocations.h"

#include "core/LocationFields.h"
#include "core/MapGeometry.h"

namespace MapLocations {

std::optional<QList<MapLocation>> Read(const QString& path, const LocationFields::Table& table, bool towns,
                                       QString* error)
{
    const auto shown = LocationFields::Read(path, table, error);
    if (!shown) {
        return std::nullopt;
    }
    QList<MapLocation> locations;
    for (qsizetype i = 0; i < shown->size(); ++i) {
        const QString& label = table.rows[i].label;
        const QString& at = shown->at(i).location;
        locations.append({label.endsWith(u':') ? label.chopped(1) : label, MapGeometry::LocationColumn(at),
                          MapGeometry::LocationRow(at), towns});
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
