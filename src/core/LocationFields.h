#pragma once

#include "core/CartridgeFile.h"

#include <QList>
#include <QString>

#include <optional>

// Where the items window and the towns window find their locations in the
// cartridge file, and how a row's texts come from two stored bytes and go
// back to them. A location is two bytes at adjacent file offsets: the map
// column first, then the row over the whole map.
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

// The six rows of the items window: five items, then the balloon.
const Table& Items();
// The twelve rows of the towns window.
const Table& Towns();

// A row as the window shows it: "(045, 012)" and the block digit "2".
struct Shown {
    QString location;
    QString block;
};

// The texts of a stored column and row.
Shown FromBytes(quint8 column, quint8 row);

// Every row of `table` read from the file at `path`, in row order, or nothing
// (and `error` naming the file and the reason) when the file cannot give them all.
std::optional<QList<Shown>> Read(const QString& path, const Table& table, QString* error);

// Two one-byte patches per row, column byte first, taken back from the
// location texts (characters 7 to 9 the column, 2 to 4 the row).
QList<FilePatch> Patches(const Table& table, const QStringList& locationTexts);

}  // namespace LocationFields
