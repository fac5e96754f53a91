#pragma once

#include "core/CartridgeFile.h"
#include "core/MapCell.h"

#include <QList>
#include <QString>

#include <optional>

// Where the locations of the special items, the balloon and the towns lie in
// the cartridge file. A location is a map cell stored in two bytes at adjacent
// file offsets: the column first, then the row over the whole map.
namespace LocationFields {

struct Row {
    QString label;  // "Silver Horn:"
    qint64 columnOffset = 0;  // file offset of the column byte
    qint64 rowOffset = 0;  // file offset of the row byte
};

struct Table {
    QList<Row> rows;
    // The shortest file that holds every row: the highest offset + 1.
    qint64 requiredLength = 0;
};

// The six item locations: five items, then the balloon.
const Table& Items();
// The twelve town locations.
const Table& Towns();

// Every row's location read from the file at `path`, in row order, or nothing
// (and `error` naming the file and the reason) when the file cannot give them all.
std::optional<MapCells> Read(const QString& path, const Table& table, QString* error);

// Two one-byte patches per row, column byte first.
QList<FilePatch> Patches(const Table& table, const MapCells& locations);

}  // namespace LocationFields
