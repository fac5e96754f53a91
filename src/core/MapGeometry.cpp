#include "core/MapGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace MapGeometry {

int CellFromPointer(double position)
{
    // Positions far outside the picture still give an int without overflow.
    const double cell = std::trunc(position / CellSize);
    if (cell > 1e6) {
        return 1'000'000;
    }
    if (cell < -1e6) {
        return -1'000'000;
    }
    return static_cast<int>(cell);
}

std::optional<MapCell> CellAtOffset(qint32 index)
{
    const qint32 fromFirst = index - FirstBlockStart;
    if (fromFirst < 0) {
        return std::nullopt;
    }
    const int block = static_cast<int>(fromFirst / BlockStride) + 1;
    const int cell = static_cast<int>(fromFirst % BlockStride);
    if (block > MapCell::Blocks || cell >= MapCell::BlockCells) {
        return std::nullopt;
    }
    return MapCell::InBlock(block, cell / MapCell::Columns, cell % MapCell::Columns);
}

MapCells CellLine(MapCell from, MapCell to, const QRect& area)
{
    const qint64 dx = qint64(to.column) - from.column;
    const qint64 dy = qint64(to.row) - from.row;
    const qint64 steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) {
        return from.isIn(area) ? MapCells{from} : MapCells{};
    }
    // Only the stretch of the line that crosses the area is walked, so ends
    // far outside cost nothing.
    double low = 0;
    double high = 1;
    const auto clip = [&low, &high](double start, double delta, double min, double max) {
        if (delta == 0) {
            if (start < min || start > max) {
                high = -1;
            }
            return;
        }
        double t1 = (min - start) / delta;
        double t2 = (max - start) / delta;
        if (t1 > t2) {
            std::swap(t1, t2);
        }
        low = std::max(low, t1);
        high = std::min(high, t2);
    };
    clip(from.column, static_cast<double>(dx), area.left() - 0.5, area.right() + 0.5);
    clip(from.row, static_cast<double>(dy), area.top() - 0.5, area.bottom() + 0.5);
    MapCells cells;
    if (low > high) {
        return cells;
    }
    const qint64 first = std::max<qint64>(0, static_cast<qint64>(std::floor(low * steps)) - 1);
    const qint64 last = std::min<qint64>(steps, static_cast<qint64>(std::ceil(high * steps)) + 1);
    for (qint64 i = first; i <= last; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(steps);
        const MapCell cell{from.column + static_cast<int>(std::lround(t * static_cast<double>(dx))),
                           from.row + static_cast<int>(std::lround(t * static_cast<double>(dy)))};
        if (cell.isIn(area)) {
            cells.append(cell);
        }
    }
    return cells;
}

QString CellDescription(const MapCell& cell, quint8 tile)
{
    const qint32 offset = MapByteOffset(cell);
    return QStringLiteral("Block %1 \u00b7 row %2, column %3 \u00b7 tile %4 \u00b7 offset 0x%5")
        .arg(cell.block())
        .arg(cell.row)
        .arg(cell.column)
        .arg(TileReadout(tile))
        .arg(QString::number(offset, 16).toUpper());
}

QString ThreeDigits(int value)
{
    if (value < 0) {
        return QStringLiteral("-") + ThreeDigits(-value);
    }
    return QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0'));
}

QString PointReadout(int column, int row)
{
    return QStringLiteral("(") + ThreeDigits(column) + QStringLiteral(" ,") + ThreeDigits(row) + QStringLiteral(")");
}

QString LocationText(int row, int column)
{
    return QStringLiteral("(") + ThreeDigits(row) + QStringLiteral(", ") + ThreeDigits(column) + QStringLiteral(")");
}

QString BlockLabel(int block)
{
    return QString::number(block);
}

QString PadToTwoChars(const QString& text)
{
    return text.size() == 1 ? QStringLiteral("0") + text : text;
}

QString TileReadout(int tile)
{
    return PadToTwoChars(QString::number(tile, 16).toUpper());
}

QString DrawProgressCaption(int localRow, int column)
{
    return QStringLiteral("Loading Map - (") + ThreeDigits(localRow + 1) + QStringLiteral(", ") + ThreeDigits(column) +
           QStringLiteral(")");
}

std::optional<quint8> ReadTileReadout(const QString& text)
{
    bool ok = false;
    const uint value = text.trimmed().toUInt(&ok, 16);
    if (!ok || text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    return static_cast<quint8>(value & 0xFF);
}

std::optional<int> ReadTileNumber(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(u'$')) {
        digits.remove(0, 1);
    } else if (digits.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        digits.remove(0, 2);
    }
    const bool hex = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) {
        return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f');
    });
    if (!hex) {
        return std::nullopt;
    }
    while (digits.size() > 1 && digits.front() == u'0') {
        digits.remove(0, 1);
    }
    constexpr int Beyond = 0x10000;
    return digits.size() > 4 ? Beyond : static_cast<int>(digits.toUInt(nullptr, 16));
}

QString CursorDescription(const MapCell& cell, quint8 tile)
{
    return QStringLiteral("column %1, row %2, tile %3").arg(cell.column).arg(cell.row).arg(TileReadout(tile));
}

QString FatalErrorTitle()
{
    return QStringLiteral("Fatal Error!");
}

QString FatalErrorText()
{
    return QStringLiteral("If you are reading this box is beacuse something\r\n"
                          "really bad has ocurred (with the program :P).\r\n"
                          "\r\n"
                          "Please drop me a line at: \r\n"
                          "orvane-editor@users.noreply.example\r\n"
                          "\r\n"
                          "Make sure to describe the problem.");
}

}  // namespace MapGeometry
