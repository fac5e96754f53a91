#include "core/MapGeometry.h"

#include "core/NumberText.h"

#include <cmath>

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
