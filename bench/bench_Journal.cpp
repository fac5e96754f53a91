#include "core/CartridgeImage.h"
#include "core/MapJournal.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

// The journal of unsaved map edits: appending one step, flushed to the disk,
// and reading and checking a long journal at load. The files lie in the
// temporary folder, which here is on the same disk as the home folder.
namespace {

const QString Version = QStringLiteral("1.0");

// `count` steps of `cells` consecutive cells each, at scattered places of `map`.
QList<MapJournal::Step> Steps(QByteArray map, int count, int cells)
{
    QRandomGenerator rng(5);
    QList<MapJournal::Step> steps;
    for (int n = 0; n < count; ++n) {
        MapJournal::Step step{QStringLiteral("Paint %1 Cells").arg(cells), {}};
        const auto first = static_cast<qint32>(rng.bounded(CartridgeImage::Size - cells));
        for (qint32 at = first; at < first + cells; ++at) {
            const auto after = static_cast<quint8>(map[at] ^ (1 + rng.bounded(255)));
            step.changes.append({CartridgeImage::FirstIndex + at, static_cast<quint8>(map[at]), after});
            map[at] = static_cast<char>(after);
        }
        steps.append(step);
    }
    return steps;
}

void benchAppend(benchmark::State& state, int cells)
{
    QTemporaryDir dir;
    const QByteArray map(CartridgeImage::Size, '\x11');
    MapJournal journal(dir.filePath(QStringLiteral("cart.nes")), Version, dir.path());
    journal.setSavedMap(map);
    // A step and its undo, over and over: the journal stays one that would read back.
    const MapJournal::Step step = Steps(map, 1, cells).first();
    MapJournal::Step undo = step;
    for (MapCellChange& change : undo.changes) {
        std::swap(change.before, change.after);
    }
    QString error;
    bool forward = true;
    for (auto _ : state) {
        if (!journal.append(forward ? step : undo, &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        forward = !forward;
    }
    state.counters["file KiB"] = static_cast<double>(QFileInfo(journal.path()).size()) / 1024;
}

}  // namespace

// One stroke of 20 cells, written and flushed (fdatasync) before append returns.
static void BM_JournalAppendStroke(benchmark::State& state)
{
    benchAppend(state, 20);
}
BENCHMARK(BM_JournalAppendStroke)->Unit(benchmark::kMillisecond);

// The largest step there is: a replace over all 65,536 cells of the overworld (393 KB).
static void BM_JournalAppendReplace(benchmark::State& state)
{
    benchAppend(state, 65536);
}
BENCHMARK(BM_JournalAppendReplace)->Unit(benchmark::kMillisecond)->Iterations(60);  // 24 MB of journal

// The floor under an append: 150 bytes added to a file with one write and
// flushed with fdatasync, nothing else.
static void BM_FloorAppendAndFlush(benchmark::State& state)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("floor")));
    file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    const QByteArray bytes(150, 'x');
    for (auto _ : state) {
        file.write(bytes);
        ::fdatasync(file.handle());
    }
}
BENCHMARK(BM_FloorAppendAndFlush)->Unit(benchmark::kMillisecond);

// Reading a journal of 1,000 strokes of 20 cells at load: every checksum, and
// every step replayed on a copy of the map.
static void BM_JournalRead1000(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString cartridge = dir.filePath(QStringLiteral("cart.nes"));
    const QByteArray map(CartridgeImage::Size, '\x22');
    {
        MapJournal journal(cartridge, Version, dir.path());
        journal.setSavedMap(map);
        for (const MapJournal::Step& step : Steps(map, 1000, 20)) {
            journal.append(step, nullptr);
        }
    }
    for (auto _ : state) {
        const MapJournal::Reading r = MapJournal::Read(cartridge, map, Version, dir.path());
        if (r.steps.size() != 1000) {
            state.SkipWithError("the journal did not read back whole");
            break;
        }
    }
}
BENCHMARK(BM_JournalRead1000)->Unit(benchmark::kMillisecond);
