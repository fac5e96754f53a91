// Feeds arbitrary text to every reader of user-typed numbers and of the
// editor's own captions, and checks what the readers promise.
#include "FuzzCheck.h"
#include "core/MapGeometry.h"
#include "core/NumberText.h"

#include <QString>

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Both as UTF-8 and as raw UTF-16, so odd code units reach the readers too.
    const QString utf8 = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString utf16 = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), static_cast<qsizetype>(size / 2));

    for (const QString& text : {utf8, utf16}) {
        const double value = NumberText::Val(text);
        check(!std::isnan(value));

        for (const auto& [minimum, maximum] : {std::pair<qint64, qint64>{0, 255}, {-32768, 32767}}) {
            if (const auto field = NumberText::ToIntegerField(text, minimum, maximum)) {
                check(*field >= minimum && *field <= maximum);
                check(static_cast<double>(*field) == NumberText::RoundHalfEven(value));
            }
        }

        check(NumberText::LeadingDigits(text) >= 0);
        (void)MapGeometry::ReadDecimal(text);

        if (const auto tile = MapGeometry::ReadTileReadout(text)) {
            // A readout that reads as a tile reads the same once written back.
            check(MapGeometry::ReadTileReadout(MapGeometry::TileReadout(*tile)) == tile);
        }

        const int row = MapGeometry::LocationRow(text);
        const int column = MapGeometry::LocationColumn(text);
        check(row >= 0 && row <= 999 && column >= 0 && column <= 999);
        // Every location the map can produce reads back as itself.
        const int r = static_cast<int>(size % 256);
        const int c = static_cast<int>((size * 7) % 256);
        const QString location = MapGeometry::LocationText(r, c);
        check(MapGeometry::LocationRow(location) == r && MapGeometry::LocationColumn(location) == c);
    }
    return 0;
}
