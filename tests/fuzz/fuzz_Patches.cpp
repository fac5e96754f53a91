// Patch readers (the first byte chooses IPS or BPS): applied whole, within the
// largest file, the same each time, or refused with a reason.
#include "FuzzCheck.h"
#include "core/BpsPatch.h"
#include "core/IpsPatch.h"
#include "core/PatchFormat.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    static const QByteArray source = [] {
        QByteArray bytes(4096, '\0');
        for (int i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>(i * 7);
        }
        return bytes;
    }();
    QByteArray patch(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    // Either format's signature in front, so the fuzzer reaches past it at once.
    patch.prepend(data[0] % 2 == 0 ? QByteArray("PATCH") : QByteArray("BPS1"));
    QString error;
    const auto patched = PatchFormat::Apply(source, patch, &error);
    check(patched ? error.isEmpty() : !error.isEmpty());
    if (patched) {
        check(patched->size() <= BpsPatch::MaxTargetSize);
        // What a patch made is what the same patch makes again.
        QString again;
        check(PatchFormat::Apply(source, patch, &again) == patched);
    }
    return 0;
}
