// Feeds arbitrary bytes to the clipboard's readers, as text a spreadsheet
// might put there and as the editor's own exact format, and checks what they
// promise: a rectangle of at most the overworld's size, or a refusal that
// says where; and a pattern read writes back to the same pattern.
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
