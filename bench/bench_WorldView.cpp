#include "BenchPlatform.h"
#include "core/MapGeometry.h"
#include "core/MapPattern.h"
#include "editor/EditorSession.h"
#include "ui/frmMain.h"
#include "ui/frmWorldMap.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The world map as an editing view, through the shown main window and its
// world map window: a painted cell, a zoom step, a flood fill and a paste
// over the whole overworld, and the paste's undo and redo, each until the
// world view has repainted what changed.
namespace {

// The main window on a loaded cartridge of repeatable random bytes, with the
// world map open at `viewSide` x `viewSide` pixels of cells.
struct WorldSession {
    QTemporaryDir dir;
    BenchPlatform platform;
    EditorSession session{platform};
    frmMain window{session, platform};
    frmWorldMap* world = nullptr;
    WorldView* view = nullptr;

    explicit WorldSession(int viewSide = 512)
    {
        const QString path = dir.filePath(QStringLiteral("bench.nes"));
        QByteArray bytes(262160, '\0');
        quint32 state = 99;
        for (char& b : bytes) {
            state = state * 1664525U + 1013904223U;
            b = static_cast<char>(state >> 24);
        }
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        window.show();
        session.LoadRom(path);
        window.findChild<QAction*>(QStringLiteral("mnuViewWorldMap"))->trigger();
        world = window.findChild<frmWorldMap*>();
        view = world->view();
        world->resize(world->size() + QSize(viewSide, viewSide) - view->viewport()->size());
        settle();
    }

    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void mouse(QEvent::Type type, const MapCell& cell, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QWidget* port = view->viewport();
        const QPointF at = QPointF(view->cellOrigin(cell)) + QPointF(view->zoom(), view->zoom()) / 2;
        QMouseEvent event(type, at, port->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(port, &event);
    }
    void click(const MapCell& cell)
    {
        mouse(QEvent::MouseButtonPress, cell, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, cell, Qt::LeftButton, Qt::NoButton);
    }
    void chooseTile(int tile) { session.SelectTile(32.0 * tile + 1); }
};

// 256 x 256 tiles counting up from `first`, row after row.
MapPattern wholeOverworld(int first)
{
    QByteArray tiles(MapCell::Columns * MapCell::Rows, '\0');
    for (qsizetype i = 0; i < tiles.size(); ++i) {
        tiles[i] = static_cast<char>(first + i);
    }
    return {MapCell::Columns, MapCell::Rows, tiles};
}

void toClipboard(const MapPattern& pattern)
{
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(MapPattern::MimeType), pattern.toBytes());
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace

// One cell painted with the brush at 16 pixels a cell: a click on a cell in
// view, until the world view has repainted it. The cells in view take turns,
// and the tile changes every round, so every click changes a byte.
static void BM_WorldViewPaintCellAt16(benchmark::State& state)
{
    WorldSession s;
    s.view->setZoom(16, QPointF(0, 0));
    WorldSession::settle();
    const MapCell first = s.view->cellAt(QPointF(0, 0));
    const int side = s.view->viewport()->width() / 16 - 1;
    int step = 0;
    for (auto _ : state) {
        if (step % (side * side) == 0) {
            state.PauseTiming();
            s.chooseTile(step / (side * side) % 2 == 0 ? 0x21 : 0x42);
            WorldSession::settle();
            state.ResumeTiming();
        }
        s.click({first.column + step % side, first.row + step / side % side});
        QCoreApplication::processEvents();
        ++step;
    }
}
BENCHMARK(BM_WorldViewPaintCellAt16)->Unit(benchmark::kMicrosecond);

// One zoom step, in and out through 2 ... 16 and back, until shown, with a
// viewport of 512 x 512 (the window as it opens) and of 960 x 960 pixels.
static void BM_WorldViewZoomStep(benchmark::State& state)
{
    WorldSession s(static_cast<int>(state.range(0)));
    bool in = true;
    for (auto _ : state) {
        in ? s.view->zoomIn() : s.view->zoomOut();
        QCoreApplication::processEvents();
        if (s.view->zoom() == WorldView::Zooms.back() || s.view->zoom() == WorldView::Zooms.front()) {
            in = !in;
        }
    }
}
BENCHMARK(BM_WorldViewZoomStep)->Arg(512)->Arg(960)->Unit(benchmark::kMillisecond);

// A flood fill of the whole overworld, all 65,536 cells one tile, with a
// click at 2 pixels a cell (every cell in view), until the world view shows
// it; the fill tool's status line is worked out again after it, as shown.
static void BM_WorldViewFloodFill65536(benchmark::State& state)
{
    WorldSession s;
    s.session.setTool(QStringLiteral("Fill"));
    const MapCell cell{100, 100};
    // Tile 11 in every cell: the whole overworld selected and deleted with it, the selection dropped.
    s.chooseTile(0x11);
    s.session.selectAll();
    s.session.deleteSelection();
    s.session.setSelection(std::nullopt);
    WorldSession::settle();
    quint8 tile = 0x11;
    for (auto _ : state) {
        state.PauseTiming();
        tile = tile == 0x11 ? 0x22 : 0x11;
        s.chooseTile(tile);
        WorldSession::settle();
        state.ResumeTiming();
        s.click(cell);
        QCoreApplication::processEvents();
    }
    state.SetLabel(s.session.document().undoStack().undoText().toStdString());
}
BENCHMARK(BM_WorldViewFloodFill65536)->Unit(benchmark::kMillisecond);

namespace {

// Floats a 256 x 256 paste under the pointer at cell (0, 0), tiles
// counting up from `first`, so that placing it changes every cell.
void floatPaste(WorldSession& s, int first)
{
    toClipboard(wholeOverworld(first));
    s.session.paste();
    s.mouse(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
    WorldSession::settle();
}

}  // namespace

// A floating 256 x 256 paste following the pointer at 2 pixels a cell: one
// move to the next cell, until the preview is shown there.
static void BM_WorldViewFloatingPasteMove(benchmark::State& state)
{
    WorldSession s;
    floatPaste(s, 0);
    int step = 0;
    for (auto _ : state) {
        s.mouse(QEvent::MouseMove, {step % 2, 0}, Qt::NoButton, Qt::NoButton);
        QCoreApplication::processEvents();
        ++step;
    }
}
BENCHMARK(BM_WorldViewFloatingPasteMove)->Unit(benchmark::kMillisecond);

// Placing a 256 x 256 paste over the whole overworld at 2 pixels a cell,
// from the click until the world view shows it; with View > Show Changes on
// (range 1) every cell is compared, counted and outlined on both maps as well.
static void BM_WorldViewPaste65536(benchmark::State& state)
{
    WorldSession s;
    s.session.setChangesShown(state.range(0) == 1);
    int first = 0;
    for (auto _ : state) {
        state.PauseTiming();
        floatPaste(s, ++first);
        state.ResumeTiming();
        s.click({0, 0});
        QCoreApplication::processEvents();
    }
    state.SetLabel(s.session.document().undoStack().undoText().toStdString());
}
BENCHMARK(BM_WorldViewPaste65536)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The undo (range 1) or the redo (range 0) of that paste, until shown.
static void BM_WorldViewPasteUndoRedo(benchmark::State& state)
{
    WorldSession s;
    floatPaste(s, 1);
    s.click({0, 0});
    WorldSession::settle();
    const bool timeUndo = state.range(0) == 1;
    for (auto _ : state) {
        for (const bool undo : {true, false}) {
            if (undo != timeUndo) {
                state.PauseTiming();
            }
            undo ? s.session.undo() : s.session.redo();
            QCoreApplication::processEvents();
            if (undo != timeUndo) {
                state.ResumeTiming();
            }
        }
    }
    state.SetLabel(timeUndo ? "undo" : "redo");
}
BENCHMARK(BM_WorldViewPasteUndoRedo)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
