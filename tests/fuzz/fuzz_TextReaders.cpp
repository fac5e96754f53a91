// Feeds arbitrary text to every reader of user-typed numbers and tiles, and
// checks what the readers promise.
#include "FuzzCheck.h"
#include "core/MapGeometry.h"
#include "core/NumberText.h"

#include <QString>

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 256) {
        return 0;  // longer texts find nothing new and slow the run
    }
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

        if (const auto tile = MapGeometry::ReadTileReadout(text)) {
            // A readout that reads as a tile reads the same once written back.
            check(MapGeometry::ReadTileReadout(MapGeometry::TileReadout(*tile)) == tile);
        }
    }
    return 0;
}
