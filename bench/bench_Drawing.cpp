#include "BenchSession.h"
#include "core/CartridgeImage.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "ui/MapPanel.h"

#include <benchmark/benchmark.h>

#include <cstring>
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
        for (int cell = 0; cell < MapGeometry::BlockBytes; ++cell) {
            s.window.setWindowTitle(MapGeometry::DrawProgressCaption(cell / 256, cell % 256));
        }
    }
}
BENCHMARK(BM_ProgressCaptionsAlone)->Unit(benchmark::kMillisecond);

static void BM_ProgressYieldsAlone(benchmark::State& state)
{
    Session s;
    for (auto _ : state) {
        for (int cell = 0; cell < MapGeometry::BlockBytes; ++cell) {
            QCoreApplication::processEvents();
        }
    }
}
BENCHMARK(BM_ProgressYieldsAlone)->Unit(benchmark::kMillisecond);
