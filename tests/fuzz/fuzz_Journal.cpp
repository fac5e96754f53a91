// Feeds the journal reader two kinds of input and checks what it promises.
// The input itself, as a journal: whatever it holds, the reader returns, and
// the steps of a valid reading replay on the map. And a journal built from the
// input, with true checksums, then cut short at a place the input chooses and
// perhaps one bit flipped: the reader must return exactly the steps written
// whole before the cut, or refuse everything when the flip lies in them.
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
    const unsigned flags = in.byte();
    const unsigned cutAt = in.word();
    const unsigned flipAt = in.word() | in.word() << 16;
    QByteArray map = Map();
    QList<MapJournal::Step> steps;
    QList<qsizetype> ends;
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
        ends.append(journal.size());
    }

    const qsizetype cut = (flags & 1) ? qsizetype(cutAt % (journal.size() + 1)) : journal.size();
    QByteArray bytes = journal.left(cut);
    const qsizetype flip = (flags & 2) && cut > 0 ? qsizetype(flipAt % (cut * 8)) : -1;
    if (flip >= 0) {
        bytes[flip / 8] = static_cast<char>(bytes[flip / 8] ^ (1 << (flip % 8)));
    }
    const MapJournal::Reading r = MapJournal::Examine(bytes, RealPath, Map(), Version);

    // The steps written whole before the cut, and where they end.
    qsizetype whole = 0;
    while (whole < ends.size() && ends[whole] <= cut) {
        ++whole;
    }
    const qsizetype completeEnd = whole > 0 ? ends[whole - 1] : 0;
    if (flip >= 0 && flip / 8 < completeEnd) {
        check(r.outcome == MapJournal::Outcome::SetAside && r.steps.isEmpty());
    } else if (whole > 0) {
        // A flip in the unfinished tail may read as damage, but never as other steps.
        check(r.outcome == MapJournal::Outcome::SetAside ||
              (r.outcome == MapJournal::Outcome::Valid && r.steps == steps.first(whole) &&
               r.tornTail == (cut > completeEnd) && r.completeLength == completeEnd));
        check(flip >= 0 || r.outcome == MapJournal::Outcome::Valid);
    } else {
        check(r.outcome != MapJournal::Outcome::Valid);
    }
    return 0;
}
