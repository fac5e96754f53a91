#include "BenchSession.h"
#include "core/MapDocument.h"
#include "core/MapGeometry.h"
#include "core/TileAtlas.h"
#include "core/TileRaster.h"
#include "ui/frmWorldMap.h"

#include <benchmark/benchmark.h>

// The editing commands: undo and redo of a long stroke, a replace over the
// whole overworld, and the world map, each through the shown main window.
namespace {

// A press, then a drag over 1,000 cells of block 1 (rows of 250 cells), then the release.
void paintStroke(const Session& s)
{
    using BenchSession::mouse;
    QWidget* map = s.child("picMap");
    const auto cellCentre = [](int i) {
        const int row = i / 250;
        return QPointF(8 + 16 * (row % 2 == 0 ? i % 250 : 249 - i % 250), 8 + 16 * row);
    };
    mouse(map, QEvent::MouseButtonPress, cellCentre(0), Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i < 1000; ++i) {
        mouse(map, QEvent::MouseMove, cellCentre(i), Qt::NoButton, Qt::LeftButton);
    }
    mouse(map, QEvent::MouseButtonRelease, cellCentre(999), Qt::LeftButton, Qt::NoButton);
}

}  // namespace

// One undo and one redo of a 1,000-cell stroke in the shown block, until the
// screen shows each.
static void BM_UndoRedoStroke1000(benchmark::State& state)
{
    Session s;
    s.load();
    s.session.SelectTile(32 * 0x2B);
    paintStroke(s);
    BenchSession::flushEvents();
    for (auto _ : state) {
        s.choose("mnuEditUndo");
        QCoreApplication::processEvents();
        s.choose("mnuEditRedo");
        QCoreApplication::processEvents();
    }
    state.SetLabel(s.session.document().undoStack().undoText().toStdString());
}
BENCHMARK(BM_UndoRedoStroke1000)->Unit(benchmark::kMillisecond);

// The worst case of a replace over the whole overworld: every one of the
// 65,536 cells holds the tile replaced.
static void BM_ReplaceOverworld(benchmark::State& state)
{
    Session s;
    s.load();
    // Tile 11 in every cell: the whole overworld selected and deleted with it.
    s.session.SelectTile(32.0 * 0x11);
    s.session.selectAll();
    s.session.deleteSelection();
    quint8 from = 0x11;
    for (auto _ : state) {
        const quint8 to = from == 0x11 ? 0x22 : 0x11;
        benchmark::DoNotOptimize(s.session.replaceTile(from, to, MapDocument::Scope::Overworld));
        QCoreApplication::processEvents();
        from = to;
    }
}
BENCHMARK(BM_ReplaceOverworld)->Unit(benchmark::kMillisecond);

// The picture of the whole overworld at 2 pixels a cell, from the image and the strip.
static void BM_WorldMapRaster(benchmark::State& state)
{
    Session s;
    s.load();
    const TileAtlas atlas(s.session.tileStrip(), 2);
    QImage world(512, 512, TileRaster::Format);
    for (auto _ : state) {
        atlas.drawCells(s.session.image(), MapCell::WorldArea(), world, QPoint(0, 0));
        benchmark::DoNotOptimize(world.constBits());
    }
}
BENCHMARK(BM_WorldMapRaster)->Unit(benchmark::kMillisecond);

// Opening the world map after a load, until it is on screen.
static void BM_WorldMapOpen(benchmark::State& state)
{
    Session s;
    s.load();
    for (auto _ : state) {
        s.choose("mnuViewWorldMap");
        QCoreApplication::processEvents();
        state.PauseTiming();
        delete s.window.findChild<frmWorldMap*>();
        BenchSession::flushEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WorldMapOpen)->Unit(benchmark::kMillisecond);

// One painted cell, from the press on the map until the world map has repainted it.
static void BM_PaintedCellReachesWorldMap(benchmark::State& state)
{
    Session s;
    s.load();
    s.choose("mnuViewWorldMap");
    BenchSession::flushEvents();
    s.session.SelectTile(32.0 * 0x35);
    int step = 0;
    for (auto _ : state) {
        // A brush click on the next cell of block 1, as the map view hands it to the session.
        const MapCell cell{step % MapCell::Columns, (step / MapCell::Columns) % MapCell::BlockRows};
        s.session.mapPress({cell, Qt::LeftButton, Qt::LeftButton, MapCell::BlockArea(1)});
        s.session.mapRelease({cell, Qt::LeftButton, Qt::NoButton, MapCell::BlockArea(1)});
        ++step;
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PaintedCellReachesWorldMap)->Unit(benchmark::kMicrosecond);
