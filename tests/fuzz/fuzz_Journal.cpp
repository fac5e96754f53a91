// The input as a journal: the reader returns, and its steps replay. A journal
// built from the input with true checksums, to reach the steps: read back exactly.
#include "FuzzCheck.h"
#include "core/CartridgeImage.h"
#include "core/MapJournal.h"

#include <QSet>

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

// Reads the input from the front; zeros once it is used up.
struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    unsigned byte() { return at < size ? data[at++] : 0; }
    unsigned word() { return byte() | byte() << 8; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView raw(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const MapJournal::Reading asIs = MapJournal::Examine(raw, RealPath, Map(), Version);
    check(asIs.outcome != MapJournal::Outcome::Valid || !asIs.steps.isEmpty());
    QByteArray replayed = Map();
    check(MapJournal::Replay(asIs.steps, replayed));

    // Steps of up to 16 runs of cells each, from the input.
    Input in{data, size};
    QByteArray map = Map();
    QList<MapJournal::Step> steps;
    QByteArray journal =
        MapJournal::HeaderBytes(RealPath, Version, MapJournal::MapHash(map), QDateTime::fromMSecsSinceEpoch(0));
    while (in.at < size) {
        MapJournal::Step step{QString::number(steps.size()), {}};
        QSet<qint32> touched;
        for (unsigned run = in.byte() % 16; run > 0; --run) {
            const auto first = static_cast<qint32>(in.word() * 2 % (CartridgeImage::Size - 64));
            for (unsigned cell = 0, cells = in.byte() % 64; cell < cells; ++cell) {
                const qint32 at = first + static_cast<qint32>(cell);
                if (!touched.contains(at)) {
                    touched.insert(at);
                    const auto after = static_cast<quint8>(in.byte());
                    step.changes.append({CartridgeImage::FirstIndex + at, static_cast<quint8>(map[at]), after});
                    map[at] = static_cast<char>(after);
                }
            }
        }
        steps.append(step);
        journal += MapJournal::StepBytes(step);
    }
    const MapJournal::Reading r = MapJournal::Examine(journal, RealPath, Map(), Version);
    check(r.steps == steps && (r.outcome == MapJournal::Outcome::Valid) == !steps.isEmpty());
    return 0;
}
