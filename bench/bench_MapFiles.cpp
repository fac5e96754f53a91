#include "core/CartridgeImage.h"
#include "core/OverworldTiles.h"
#include "core/TileRaster.h"
#include "core/TiledMapReader.h"
#include "core/TiledMapWriter.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The whole overworld exported to and imported from map files: a TMX or JSON
// map with its tileset and tileset picture (three files, each written through
// a temporary file), or one CSV file. The tiles are random, the worst case
// for the number of digits and for compression.
namespace {

using MapFormat::LayerEncoding;

const char* const Suffixes[] = {"tmx", "tmj", "csv"};

QByteArray randomTiles()
{
    CartridgeImage image;
    QByteArray bytes(CartridgeImage::Size, '\0');
    QRandomGenerator rng(11);
    for (char& b : bytes) {
        b = static_cast<char>(rng.bounded(256));
    }
    image.assign(bytes);
    return OverworldTiles::FromImage(image);
}

// Arguments: the file kind (0 TMX, 1 JSON, 2 CSV) and the layer encoding.
void setLabel(benchmark::State& state)
{
    static const char* const encodings[] = {"csv", "xml", "base64", "zlib", "gzip"};
    state.SetLabel(std::string(Suffixes[state.range(0)]) + " " + encodings[state.range(1)]);
}

QString exportOnce(const QTemporaryDir& dir, const benchmark::State& state, const QByteArray& tiles,
                   const QImage& strip)
{
    const QString path = dir.filePath(QStringLiteral("world.") + QLatin1String(Suffixes[state.range(0)]));
    QString error;
    if (!TiledMapWriter::Export(path, tiles, {}, strip, &error, static_cast<LayerEncoding>(state.range(1)))) {
        qFatal("%s", qPrintable(error));
    }
    return path;
}

void encodings(benchmark::internal::Benchmark* b)
{
    b->Args({0, 0})->Args({0, 1})->Args({0, 3})->Args({1, 0})->Args({1, 3})->Args({2, 0});
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

static void BM_MapExport(benchmark::State& state)
{
    const QByteArray tiles = randomTiles();
    const QImage strip = TileRaster::BuildTileStrip(TileRaster::LoadSheets());
    QTemporaryDir dir;
    for (auto _ : state) {
        exportOnce(dir, state, tiles, strip);
    }
    setLabel(state);
}
BENCHMARK(BM_MapExport)->Apply(encodings);

// The map's text alone, without the tileset, the picture and the disk.
static void BM_MapText(benchmark::State& state)
{
    const QByteArray tiles = randomTiles();
    const auto encoding = static_cast<LayerEncoding>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(state.range(0) == 0 ? TiledMapWriter::Tmx(tiles, {}, QStringLiteral("w.tsx"), encoding)
                                 : state.range(0) == 1
                                     ? TiledMapWriter::Json(tiles, {}, QStringLiteral("w.tsj"), encoding)
                                     : TiledMapWriter::Csv(tiles));
    }
    setLabel(state);
}
BENCHMARK(BM_MapText)->Apply(encodings);

static void BM_MapImport(benchmark::State& state)
{
    const QByteArray tiles = randomTiles();
    QTemporaryDir dir;
    const QString path = exportOnce(dir, state, tiles, TileRaster::BuildTileStrip(TileRaster::LoadSheets()));
    for (auto _ : state) {
        const auto read = TiledMapReader::Import(path, nullptr);
        if (!read || *read != tiles) {
            state.SkipWithError("the map did not read back");
            break;
        }
    }
    setLabel(state);
}
BENCHMARK(BM_MapImport)->Apply(encodings);
