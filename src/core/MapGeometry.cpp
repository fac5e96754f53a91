#include "core/MapGeometry.h"

#include "core/NumberText.h"

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

QList<QPoint> CellLine(QPoint from, QPoint to)
{
    const qint64 dx = qint64(to.x()) - from.x();
    const qint64 dy = qint64(to.y()) - from.y();
    const qint64 steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) {
        return IsCellInBlock(from.x(), from.y()) ? QList<QPoint>{from} : QList<QPoint>{};
    }
    // Only the stretch of the line that crosses the block is walked, so ends
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
    clip(from.x(), static_cast<double>(dx), -0.5, Columns - 0.5);
    clip(from.y(), static_cast<double>(dy), -0.5, BlockRows - 0.5);
    QList<QPoint> cells;
    if (low > high) {
        return cells;
    }
    const qint64 first = std::max<qint64>(0, static_cast<qint64>(std::floor(low * steps)) - 1);
    const qint64 last = std::min<qint64>(steps, static_cast<qint64>(std::ceil(high * steps)) + 1);
    for (qint64 i = first; i <= last; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(steps);
        const int x = from.x() + static_cast<int>(std::lround(t * static_cast<double>(dx)));
        const int y = from.y() + static_cast<int>(std::lround(t * static_cast<double>(dy)));
        if (IsCellInBlock(x, y)) {
            cells.append(QPoint(x, y));
        }
    }
    return cells;
}

QString CellDescription(int block, int localRow, int column, quint8 tile)
{
    const qint32 offset = MapByteOffset(BlockStart(block).value_or(0), localRow, column);
    return QStringLiteral("Block %1 \u00b7 row %2, column %3 \u00b7 tile %4 \u00b7 offset 0x%5")
        .arg(block)
        .arg(OverworldRow(block, localRow))
        .arg(column)
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

int ReadDecimal(const QString& text)
{
    const double value = NumberText::Val(text);
    if (!std::isfinite(value) || std::abs(value) > 1e9) {
        return 0;
    }
    return static_cast<int>(value);
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

int LocationRow(const QString& locationText)
{
    return NumberText::LeadingDigits(locationText.mid(1, 3));
}

int LocationColumn(const QString& locationText)
{
    return NumberText::LeadingDigits(locationText.mid(6, 3));
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
