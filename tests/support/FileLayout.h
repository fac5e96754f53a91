#pragma once

// Where each window's values lie in the file, written out by hand apart from
// the program's own tables, so that a wrong offset shows as a wrong byte.

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

namespace FileLayout {

// The map: the image range read and written whole, and the byte of a cell.
inline constexpr qint64 ImageStart = 16400;
inline constexpr qint64 ImageEnd = 139280;  // one past the last byte
constexpr qint64 MapByte(int block, int localRow, int column)
{
    return ImageStart + 16384 * (block - 1) + 256 * localRow + column;
}

// The overworld of `file` as a CSV map, as Tiled writes one: 256 lines of 256
// decimal tile numbers. `changes` puts other tiles into some (column, row) cells.
QByteArray OverworldCsv(const QByteArray& file, const QMap<QPair<int, int>, int>& changes = {});

enum class Route { Map, Items, Towns, Prices, Characters };

QString RouteName(Route route);
const QList<Route>& GameRoutes();

// The shortest file a Game window opens on (0 for the map).
qint64 RequiredLength(Route route);

// Column byte and row byte of every row of the items or towns window.
QList<QPair<qint64, qint64>> LocationOffsets(Route route);

// A box or list of the prices or characters window: its name, offset and width
// (2: signed 16-bit, low byte first; 1: unsigned byte; a list's item code is 1).
struct Box {
    QString name;
    qint64 offset;
    int width;
    bool isList() const { return name.startsWith(QLatin1String("cbo")); }
};
// Every box of the prices or characters window (the latter's herbs panel and
// both equipment lists included); none for the other routes.
QList<Box> Boxes(Route route);

qint64 ValueAt(const QByteArray& file, const Box& box);
QByteArray BytesOf(const Box& box, qint64 value);

}  // namespace FileLayout
