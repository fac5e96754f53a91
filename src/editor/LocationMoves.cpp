#include "editor/LocationMoves.h"

#include "core/MapDocument.h"
#include "core/TownWarps.h"
#include "editor/LocationMoveCommand.h"
#include "editor/LocationTable.h"
#include "editor/Platform.h"

#include <QStringList>

#include <algorithm>

LocationMoves::LocationMoves(LocationTable& items, LocationTable& towns, MapDocument& document, Platform& platform)
    : m_items(items), m_towns(towns), m_document(document), m_platform(platform)
{
}

std::optional<LocationMoves::Location> LocationMoves::at(const MapCell& cell) const
{
    for (LocationTable* table : {&m_towns, &m_items}) {
        const qsizetype row = table->cells().indexOf(cell);
        if (row >= 0) {
            return Location{table, static_cast<int>(row)};
        }
    }
    return std::nullopt;
}

MapCell LocationMoves::cellOf(const Location& location) const
{
    return location.table->cells().value(location.row);
}

QString LocationMoves::name(const Location& location) const
{
    return location.table->name(location.row);
}

bool LocationMoves::isTown(const Location& location) const
{
    return location.table == &m_towns;
}

bool LocationMoves::move(const Location& location, const MapCell& cell)
{
    const MapCell from = cellOf(location);
    if (!cell.isOnMap() || cell == from || !place(location, cell)) {
        return false;
    }
    m_document.pushStep(new LocationMoveCommand(*this, location, from, cell));
    return true;
}

bool LocationMoves::place(const Location& location, const MapCell& cell)
{
    MapCells cells = location.table->cells();
    if (location.row < 0 || location.row >= cells.size()) {
        return false;
    }
    cells[location.row] = cell;
    QString error;
    if (location.table->write(cells, &error)) {
        return true;
    }
    m_platform.message(QStringLiteral("Location not moved"),
                       Platform::Paragraphs({QStringLiteral("%1 was not moved.").arg(name(location)), error}),
                       Platform::Icon::Critical);
    return false;
}

MapCells LocationMoves::townsWith(std::optional<Location> moved, const MapCell& cell) const
{
    MapCells towns = m_towns.cells();
    if (moved && isTown(*moved) && moved->row >= 0 && moved->row < towns.size()) {
        towns[moved->row] = cell;
    }
    return towns;
}

QList<int> LocationMoves::crowdedTowns() const
{
    QList<int> rows;
    for (const QList<int>& crowd : TownWarps::Crowds(m_towns.cells())) {
        rows += crowd;
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString LocationMoves::CrowdText(const LocationTable& towns, const QList<int>& crowd)
{
    QStringList names;
    for (const int row : crowd) {
        names.append(towns.name(row));
    }
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last + QStringLiteral(" share a screen");
}

QString LocationMoves::Warning(const LocationTable& towns, const MapCells& cells)
{
    QStringList texts;
    for (const QList<int>& crowd : TownWarps::Crowds(cells)) {
        texts.append(CrowdText(towns, crowd));
    }
    return texts.isEmpty() ? QString() : QStringLiteral("Warps may fail: ") + texts.join(QStringLiteral("; "));
}

QString LocationMoves::warning(std::optional<Location> moved, const MapCell& cell) const
{
    return Warning(m_towns, townsWith(moved, cell));
}

QString LocationMoves::warningAt(const Location& moved, const MapCell& cell) const
{
    if (!isTown(moved)) {
        return {};
    }
    for (const QList<int>& crowd : TownWarps::Crowds(townsWith(moved, cell))) {
        if (crowd.contains(moved.row)) {
            return QStringLiteral("Warps may fail: ") + CrowdText(m_towns, crowd);
        }
    }
    return {};
}
