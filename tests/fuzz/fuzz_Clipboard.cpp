// Clipboard readers, text and our own format: a rectangle within the
// overworld that writes back the same, or a refusal.
#include "FuzzCheck.h"
#include "core/MapPattern.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    if (const auto pattern = MapPattern::FromText(QString::fromUtf8(bytes), &error)) {
        check(pattern->width() >= 1 && pattern->width() <= 256 && pattern->height() >= 1 && pattern->height() <= 256);
        check(MapPattern::FromText(pattern->toText(), nullptr) == pattern);
        check(MapPattern::FromBytes(pattern->toBytes()) == pattern);
    } else {
        check(!error.isEmpty());
    }
    if (const auto pattern = MapPattern::FromBytes(bytes)) {
        check(pattern->toBytes() == bytes);
    }
    return 0;
}
