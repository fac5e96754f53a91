#include "FileLayout.h"

#include <QByteArray>

namespace FileLayout {

QByteArray OverworldCsv(const QByteArray& file, const QMap<QPair<int, int>, int>& changes)
{
    QByteArray csv;
    for (int row = 0; row < 256; ++row) {
        for (int column = 0; column < 256; ++column) {
            const int tile = changes.value({column, row}, quint8(file[MapByte(row / 32 + 1, row % 32, column)]));
            csv += QByteArray::number(tile) + (column < 255 ? "," : "\n");
        }
    }
    return csv;
}

QString RouteName(Route route)
{
    static const char* const names[] = {"map", "items", "towns", "prices", "characters"};
    return QString::fromLatin1(names[static_cast<int>(route)]);
}

const QList<Route>& GameRoutes()
{
    static const QList<Route> routes{Route::Items, Route::Towns, Route::Prices, Route::Characters};
    return routes;
}

qint64 RequiredLength(Route route)
{
    static const qint64 lengths[] = {0, 218603, 256759, 3913, 218701};
    return lengths[static_cast<int>(route)];
}

QList<QPair<qint64, qint64>> LocationOffsets(Route route)
{
    QList<QPair<qint64, qint64>> rows;
    if (route == Route::Items) {
        for (qint64 column : {0x61A0, 0x61A4, 0x61A8, 0x61AC, 0x61B4, 0x355E9}) {
            rows.append({column, column + 1});
        }
    } else if (route == Route::Towns) {
        for (qint64 entry : {0, 2, 6, 11, 14, 19, 20, 21, 22, 24, 25, 28}) {
            rows.append({0x3EABD + 2 * entry, 0x3EABD + 2 * entry + 1});
        }
    }
    return rows;
}

QList<Box> Boxes(Route route)
{
    QList<Box> boxes;
    if (route == Route::Prices) {
        int item = 0;
        for (const auto& [first, last] : {QPair<int, int>{3847, 3863}, {3867, 3881}, {3887, 3901}}) {
            for (int offset = first; offset <= last; offset += 2) {
                boxes.append({QStringLiteral("txtItem_%1").arg(item++), offset, 2});
            }
        }
        for (int herb = 0; herb < 6; ++herb) {
            boxes.append({QStringLiteral("txtHerbs_%1").arg(herb), 3907 + herb, 1});
        }
    } else if (route == Route::Characters) {
        const QList<Box> arrays{{QStringLiteral("txtLevel"), 0x355ED, 1}, {QStringLiteral("txtHP"), 0x355F5, 2},
                                {QStringLiteral("txtMp"), 0x35605, 1},    {QStringLiteral("txtStr"), 0x3560D, 1},
                                {QStringLiteral("txtINT"), 0x35615, 1},   {QStringLiteral("txtDEX"), 0x3561D, 1},
                                {QStringLiteral("txtExp"), 0x35625, 2},   {QStringLiteral("txtHerbs"), 0x35635, 1}};
        for (const Box& array : arrays) {
            for (int c = 0; c < 8; ++c) {
                boxes.append({array.name + u'_' + QString::number(c), array.offset + array.width * c, array.width});
            }
        }
        for (int c = 0; c < 8; ++c) {
            boxes.append({QStringLiteral("cboEquip1_%1").arg(c), 0x3563D + 2 * c, 1});
            boxes.append({QStringLiteral("cboEquip2_%1").arg(c), 0x3563E + 2 * c, 1});
        }
    }
    return boxes;
}

qint64 ValueAt(const QByteArray& file, const Box& box)
{
    const auto low = static_cast<quint8>(file.at(box.offset));
    return box.width == 1 ? low : static_cast<qint16>(low | (static_cast<quint8>(file.at(box.offset + 1)) << 8));
}

QByteArray BytesOf(const Box& box, qint64 value)
{
    QByteArray bytes(1, static_cast<char>(value & 0xFF));
    if (box.width == 2) {
        bytes.append(static_cast<char>((value >> 8) & 0xFF));
    }
    return bytes;
}

}  // namespace FileLayout
