#include "core/BpsPatch.h"
#include "core/CartridgeImage.h"
#include "core/IpsPatch.h"
#include "core/MapImageExport.h"
#include "core/TileRaster.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// Files beside the cartridge: patches between two 256 KiB cartridges that
// differ in 10,000 scattered bytes, and the picture of the whole overworld.
namespace {

struct Pair {
    QByteArray original;
    QByteArray modified;

    Pair() : original(262160, '\0')
    {
        QRandomGenerator rng(7);
        for (char& b : original) {
            b = static_cast<char>(rng.bounded(256));
        }
        modified = original;
        for (int i = 0; i < 10000; ++i) {
            const auto at = rng.bounded(static_cast<int>(modified.size()));
            modified[at] = static_cast<char>(modified[at] ^ (1 + rng.bounded(255)));
        }
    }
};

const Pair& pair()
{
    static const Pair p;
    return p;
}

template <typename Create> void benchCreate(benchmark::State& state, Create create)
{
    const Pair& p = pair();
    for (auto _ : state) {
        benchmark::DoNotOptimize(create(p.original, p.modified, nullptr));
    }
    state.counters["patch bytes"] = static_cast<double>(create(p.original, p.modified, nullptr)->size());
}

template <typename Create, typename Apply> void benchApply(benchmark::State& state, Create create, Apply apply)
{
    const Pair& p = pair();
    const QByteArray patch = *create(p.original, p.modified, nullptr);
    for (auto _ : state) {
        benchmark::DoNotOptimize(apply(p.original, patch, nullptr));
    }
    if (*apply(p.original, patch, nullptr) != p.modified) {
        state.SkipWithError("the patch did not give the modified file back");
    }
}

}  // namespace

static void BM_IpsCreate(benchmark::State& state)
{
    benchCreate(state, IpsPatch::Create);
}
BENCHMARK(BM_IpsCreate)->Unit(benchmark::kMillisecond);

static void BM_IpsApply(benchmark::State& state)
{
    benchApply(state, IpsPatch::Create, IpsPatch::Apply);
}
BENCHMARK(BM_IpsApply)->Unit(benchmark::kMillisecond);

static void BM_BpsCreate(benchmark::State& state)
{
    benchCreate(state, BpsPatch::Create);
}
BENCHMARK(BM_BpsCreate)->Unit(benchmark::kMillisecond);

static void BM_BpsApply(benchmark::State& state)
{
    benchApply(state, BpsPatch::Create, BpsPatch::Apply);
}
BENCHMARK(BM_BpsApply)->Unit(benchmark::kMillisecond);

// The whole overworld drawn and written as a PNG file.
static void BM_ExportWorldPng(benchmark::State& state)
{
    CartridgeImage image;
    image.assign(pair().original.mid(CartridgeImage::FirstIndex));
    const QImage strip = TileRaster::BuildTileStrip(TileRaster::LoadSheets());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("world.png"));
    for (auto _ : state) {
        const QImage picture = MapImageExport::Render(image, strip, MapImageExport::Area::Overworld, 1, true, Qt::red);
        MapImageExport::WritePng(picture, path, nullptr);
    }
}
BENCHMARK(BM_ExportWorldPng)->Unit(benchmark::kMillisecond);

// Drawing alone, without the PNG encoding.
static void BM_RenderWorld(benchmark::State& state)
{
    CartridgeImage image;
    image.assign(pair().original.mid(CartridgeImage::FirstIndex));
    const QImage strip = TileRaster::BuildTileStrip(TileRaster::LoadSheets());
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            MapImageExport::Render(image, strip, MapImageExport::Area::Overworld, 1, true, Qt::red));
    }
}
BENCHMARK(BM_RenderWorld)->Unit(benchmark::kMillisecond);
