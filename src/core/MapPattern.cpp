#include "core/MapPattern.h"

#include "core/CartridgeImage.h"
#include "core/MapGeometry.h"
#include "core/NumberText.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const QByteArray BytesMagic = QByteArrayLiteral("ORVM");
constexpr int HeaderSize = 8;  // magic, width and height (16 bits each, low byte first)

}  // namespace

MapPattern::MapPattern(int width, int height, QByteArray tiles)
    : m_width(width), m_height(height), m_tiles(std::move(tiles))
{
    Q_ASSERT(m_tiles.size() == qsizetype(width) * height);
}

MapPattern MapPattern::Single(quint8 tile)
{
    return MapPattern(1, 1, QByteArray(1, static_cast<char>(tile)));
}

MapPattern MapPattern::FromMap(const CartridgeImage& image, const QRect& cells)
{
    const QRect taken = cells & MapCell::WorldArea();
    QByteArray tiles;
    tiles.reserve(qsizetype(taken.width()) * taken.height());
    for (int row = taken.top(); row <= taken.bottom(); ++row) {
        for (int column = taken.left(); column <= taken.right(); ++column) {
            tiles.append(static_cast<char>(image.at(MapGeometry::MapByteOffset(MapCell{column, row}))));
        }
    }
    return MapPattern(taken.width(), taken.height(), tiles);
}

MapCellChanges MapPattern::placement(const CartridgeImage& image, const MapCell& at, const QRect& area) const
{
    const QRect placed = placedAt(at) & area & MapCell::WorldArea();
    MapCellChanges changes;
    changes.reserve(qsizetype(placed.width()) * placed.height());
    for (int row = placed.top(); row <= placed.bottom(); ++row) {
        for (int column = placed.left(); column <= placed.right(); ++column) {
            const qint32 index = MapGeometry::MapByteOffset(MapCell{column, row});
            const quint8 tile = this->at(column - at.column, row - at.row);
            if (image.at(index) != tile) {
                changes.append({index, image.at(index), tile});
            }
        }
    }
    return changes;
}

QString MapPattern::toText() const
{
    QString text;
    text.reserve(qsizetype(m_width) * m_height * 3);
    for (int row = 0; row < m_height; ++row) {
        for (int column = 0; column < m_width; ++column) {
            if (column > 0) {
                text += u'\t';
            }
            text += MapGeometry::TileReadout(at(column, row));
        }
        text += u'\n';
    }
    return text;
}

std::optional<MapPattern> MapPattern::FromText(const QString& text, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return std::nullopt;
    };
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) {
        lines.removeLast();  // the line breaks after the last row
    }
    if (lines.isEmpty()) {
        return fail(QStringLiteral("The text holds no tile numbers."));
    }
    if (lines.size() > MapCell::Rows) {
        return fail(QStringLiteral("The text has %1 rows; the overworld has %2.").arg(lines.size()).arg(MapCell::Rows));
    }
    static const QRegularExpression separators(QStringLiteral("[\\t, ]+"));
    static const QRegularExpression tileNumber(QStringLiteral("^[0-9A-Fa-f]{1,2}$"));
    int width = 0;
    QByteArray tiles;
    for (qsizetype line = 0; line < lines.size(); ++line) {
        const QStringList fields = lines[line].trimmed().split(separators, Qt::SkipEmptyParts);
        if (line == 0) {
            width = static_cast<int>(fields.size());
            if (width == 0) {
                return fail(QStringLiteral("Line 1 holds no tile numbers."));
            }
            if (width > MapCell::Columns) {
                return fail(QStringLiteral("Line 1 has %1 tiles; the overworld has %2 columns.")
                                .arg(width)
                                .arg(MapCell::Columns));
            }
        } else if (fields.size() != width) {
            const auto tiles = [](qint64 n) {
                return NumberText::Counted(n, QStringLiteral("%1 tile"), QStringLiteral("%1 tiles"));
            };
            return fail(QStringLiteral("Line %1 has %2, line 1 has %3: the text is not a rectangle.")
                            .arg(QString::number(line + 1), tiles(fields.size()), tiles(width)));
        }
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (!tileNumber.match(fields[i]).hasMatch()) {
                return fail(QStringLiteral("Line %1, tile %2: \"%3\" is not a tile number (00 to FF).")
                                .arg(line + 1)
                                .arg(i + 1)
                                .arg(fields[i].left(20)));
            }
            tiles.append(static_cast<char>(fields[i].toUInt(nullptr, 16)));
        }
    }
    return MapPattern(width, static_cast<int>(lines.size()), tiles);
}

QByteArray MapPattern::toBytes() const
{
    QByteArray bytes = BytesMagic;
    for (const int size : {m_width, m_height}) {
        bytes.append(static_cast<char>(size & 0xFF));
        bytes.append(static_cast<char>(size >> 8));
    }
    return bytes + m_tiles;
}

std::optional<MapPattern> MapPattern::FromBytes(const QByteArray& bytes)
{
    if (bytes.size() < HeaderSize || !bytes.startsWith(BytesMagic)) {
        return std::nullopt;
    }
    const auto number = [&bytes](int at) {
        return static_cast<quint8>(bytes[at]) | (static_cast<quint8>(bytes[at + 1]) << 8);
    };
    const int width = number(4);
    const int height = number(6);
    if (width < 1 || width > MapCell::Columns || height < 1 || height > MapCell::Rows ||
        bytes.size() != HeaderSize + qsizetype(width) * height) {
        return std::nullopt;
    }
    return MapPattern(width, height, bytes.mid(HeaderSize));
}
