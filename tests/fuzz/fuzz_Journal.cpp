// Feeds the journal reader any input as a journal: whatever it holds, the
// reader returns, and the steps of a valid reading replay on the map.
// (Journals of true checksums cut at every byte or with any one bit flipped
// are tst_MapJournal's: tornTail, flippedBitIsDamage.)
#include "FuzzCheck.h"
#include "core/CartridgeImage.h"
#include "core/MapJournal.h"

#include <cstdint>

namespace {

const QString RealPath = QStringLiteral("/games/cart.nes");
const QString Version = QStringLiteral("1.0");

const QByteArray& Map()
{
    static const QByteArray map = [] {
        QByteArray bytes(CartridgeImage::Size, '\0');
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>(i * 7 / 3);
        }
        return bytes;
    }();
    return map;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView raw(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const MapJournal::Reading asIs = MapJournal::Examine(raw, RealPath, Map(), Version);
    check(asIs.outcome != MapJournal::Outcome::Valid || !asIs.steps.isEmpty());
    QByteArray replayed = Map();
    check(MapJournal::Replay(asIs.steps, replayed));
    return 0;
}
