#include "core/CsvMapReader.h"

#include "core/MapCell.h"
#include "core/NumberText.h"
#include "core/TileRaster.h"
#include "core/TiledMapHeader.h"

#include <algorithm>

bool CsvMapReader::ReadTile(QByteArrayView field, qsizetype cell, QByteArray& tiles, QString* reason)
{
    field = field.trimmed();
    const bool negative = field.startsWith('-');
    const QByteArrayView digits = negative ? field.sliced(1) : field;
    qint64 value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (c < '0' || c > '9' || value > 0xFFFFFFFFLL) {
            value = -1;
            break;
        }
    }
    if (digits.isEmpty() || value < 0) {
        return TiledMapHeader::Fail(reason,
                                    QStringLiteral("\"%1\" at %2 is not a tile number")
                                        .arg(QString::fromUtf8(field.first(std::min<qsizetype>(field.size(), 20))),
                                             TiledMapHeader::CellText(cell)));
    }
    if (negative && value == 1) {
        return TiledMapHeader::Fail(reason,
                                    QStringLiteral("the cell at %1 is empty (-1)").arg(TiledMapHeader::CellText(cell)));
    }
    if (negative || value >= TileRaster::Tiles) {
        return TiledMapHeader::Fail(reason, QStringLiteral("the tile number %1%2 at %3 is not in 0..255")
                                                .arg(negative ? QStringLiteral("-") : QString())
                                                .arg(value)
                                                .arg(TiledMapHeader::CellText(cell)));
    }
    tiles[cell] = static_cast<char>(value);
    return true;
}

std::optional<QByteArray> CsvMapReader::Read(QByteArrayView text, QString* reason)
{
    if (text.startsWith("\xEF\xBB\xBF")) {
        text = text.sliced(3);
    }
    while (text.endsWith('\n') || text.endsWith('\r')) {
        text.chop(1);
    }
    if (text.isEmpty()) {
        TiledMapHeader::Fail(reason, QStringLiteral("the file is empty"));
        return std::nullopt;
    }
    QByteArray tiles(MapCell::Count, '\0');
    qsizetype row = 0;
    for (qsizetype start = 0; start <= text.size(); ++row) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end;
        if (row == MapCell::Rows) {
            TiledMapHeader::Fail(reason, QStringLiteral("it has more than 256 lines; the overworld has 256 rows"));
            return std::nullopt;
        }
        const QByteArrayView line =
            text.sliced(start, end - start);  // a CR at its end goes with the last field's spaces
        qsizetype column = 0;
        for (qsizetype from = 0; from <= line.size(); ++column) {
            qsizetype comma = line.indexOf(',', from);
            comma = comma < 0 ? line.size() : comma;
            if (column == MapCell::Columns) {
                TiledMapHeader::Fail(
                    reason, QStringLiteral("row %1 has more than 256 numbers; the overworld has 256 columns").arg(row));
                return std::nullopt;
            }
            if (!ReadTile(line.sliced(from, comma - from), row * MapCell::Columns + column, tiles, reason)) {
                return std::nullopt;
            }
            from = comma + 1;
        }
        if (column != MapCell::Columns) {
            TiledMapHeader::Fail(reason,
                                 QStringLiteral("row %1 has %2; the overworld has 256 columns")
                                     .arg(QString::number(row), NumberText::Counted(column, QStringLiteral("%1 number"),
                                                                                    QStringLiteral("%1 numbers"))));
            return std::nullopt;
        }
        start = end + 1;
    }
    if (row != MapCell::Rows) {
        TiledMapHeader::Fail(reason,
                             NumberText::Counted(row, QStringLiteral("it has %1 line; the overworld has 256 rows"),
                                                 QStringLiteral("it has %1 lines; the overworld has 256 rows")));
        return std::nullopt;
    }
    return tiles;
}
