#include "BenchSession.h"
#include "core/CartridgeImage.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "ui/MapPanel.h"

#include <QComboBox>

#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <vector>

namespace {

CartridgeImage randomImage()
{
    CartridgeImage image;
    quint32 state = 12345;
    for (qint32 i = CartridgeImage::FirstIndex; i <= CartridgeImage::LastIndex; ++i) {
        state = state * 1664525U + 1013904223U;
        image.set(i, static_cast<quint8>(state >> 24));
    }
    return image;
}

// CPU time of this thread, in milliseconds: the program draws, yields and paints on one thread.
double threadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

// The floor: moving 8 MiB, about what a block picture (4096 x 512 x 4 bytes) holds.
static void BM_MemoryCopy8MiB(benchmark::State& state)
{
    std::vector<char> from(8 << 20, 1);
    std::vector<char> to(8 << 20);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(from.size()));
}
BENCHMARK(BM_MemoryCopy8MiB)->Unit(benchmark::kMicrosecond);

static void BM_BuildTileStrip(benchmark::State& state)
{
    const auto sheets = TileRaster::LoadSheets();
    for (auto _ : state) {
        QImage strip = TileRaster::BuildTileStrip(sheets);
        benchmark::DoNotOptimize(strip.constBits());
    }
}
BENCHMARK(BM_BuildTileStrip)->Unit(benchmark::kMicrosecond);

// The raster work of drawing one block: 8192 half-size copies from the strip.
static void BM_DrawBlockRaster(benchmark::State& state)
{
    const QImage strip = TileRaster::BuildTileStrip(TileRaster::LoadSheets());
    const CartridgeImage image = randomImage();
    QImage picture(MapGeometry::PictureWidth, MapGeometry::PictureHeight, TileRaster::Format);
    for (auto _ : state) {
        picture.fill(Qt::black);
        TileRaster::RenderBlock(image, *MapGeometry::BlockStart(3), strip, picture);
        TileRaster::DrawGrid(picture, QColor(255, 0, 0));
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_DrawBlockRaster)->Unit(benchmark::kMicrosecond);

// A whole block drawing as the user sees it: the per-cell caption and yield to
// the event loop included.
static void BM_DrawBlockWithProgress(benchmark::State& state)
{
    Session s;
    s.load();
    auto* panel = s.child<MapPanel>("Frame2");
    for (auto _ : state) {
        panel->DrawBlock(*MapGeometry::BlockStart(2));
    }
}
BENCHMARK(BM_DrawBlockWithProgress)->Unit(benchmark::kMillisecond);

// The two halves of the per-cell progress, alone: 8192 caption changes, and
// 8192 yields to the event loop with nothing to do.
static void BM_ProgressCaptionsAlone(benchmark::State& state)
{
    Session s;
    for (auto _ : state) {
        for (int cell = 0; cell < MapCell::BlockCells; ++cell) {
            s.window.setWindowTitle(MapGeometry::DrawProgressCaption(cell / 256, cell % 256));
        }
    }
}
BENCHMARK(BM_ProgressCaptionsAlone)->Unit(benchmark::kMillisecond);

static void BM_ProgressYieldsAlone(benchmark::State& state)
{
    Session s;
    for (auto _ : state) {
        for (int cell = 0; cell < MapCell::BlockCells; ++cell) {
            QCoreApplication::processEvents();
        }
    }
}
BENCHMARK(BM_ProgressYieldsAlone)->Unit(benchmark::kMillisecond);

// A block change beside what bounds it, side by side in one run: the change
// through the block list (every cell drawn, its progress in the caption, a
// yield after it; the grid, the title), the 8192 yields alone with the window
// shown, and the raster of one block alone (cell copies and grid). CPU times
// of the thread; "ratio" is change / (yields + raster), whose goal is 1.3 at most.
static void BM_BlockChangeAgainstBounds(benchmark::State& state)
{
    Session s;
    s.load();
    auto* list = s.child<QComboBox>("cboBlock");
    QImage picture(MapGeometry::PictureWidth, MapGeometry::PictureHeight, TileRaster::Format);
    double change = 0;
    double yields = 0;
    double raster = 0;
    int entry = 0;
    for (auto _ : state) {
        const double start = threadMs();
        list->setCurrentIndex(entry);
        emit list->activated(entry);
        const double changed = threadMs();
        for (int cell = 0; cell < MapCell::BlockCells; ++cell) {
            QCoreApplication::processEvents();
        }
        const double yielded = threadMs();
        picture.fill(Qt::black);
        TileRaster::RenderBlock(s.session.image(), *MapGeometry::BlockStart(entry + 1), s.session.tileStrip(), picture);
        TileRaster::DrawGrid(picture, QColor(255, 0, 0));
        benchmark::DoNotOptimize(picture.constBits());
        const double rastered = threadMs();
        change += changed - start;
        yields += yielded - changed;
        raster += rastered - yielded;
        entry = (entry + 1) % MapCell::Blocks;
    }
    using benchmark::Counter;
    state.counters["change_ms"] = Counter(change, Counter::kAvgIterations);
    state.counters["yields_ms"] = Counter(yields, Counter::kAvgIterations);
    state.counters["raster_ms"] = Counter(raster, Counter::kAvgIterations);
    state.counters["ratio"] = change / (yields + raster);
}
BENCHMARK(BM_BlockChangeAgainstBounds)->Unit(benchmark::kMillisecond);
