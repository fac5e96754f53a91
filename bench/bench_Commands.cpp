#include "BenchSession.h"
#include "core/CartridgeImage.h"
#include "core/MapGeometry.h"
#include "ui/frmCharacters.h"
#include "ui/frmIB.h"
#include "ui/frmMain.h"
#include "ui/frmPrices.h"
#include "ui/frmTowns.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// What a user waits for: loading, changing blocks, painting during a drag,
// saving, and each Game window's fill and save, on a real file.

// The floor for a save: writing a cartridge-sized file through a temporary
// file and a rename, the way every save is made.
static void BM_FloorAtomicFileWrite(benchmark::State& state)
{
    Session s;
    const QByteArray bytes = BenchSession::cartridgeBytes();
    for (auto _ : state) {
        QSaveFile file(s.path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.commit();
    }
}
BENCHMARK(BM_FloorAtomicFileWrite)->Unit(benchmark::kMicrosecond);

// From the confirmed file name to an interactive window: strip, image and
// block 1 drawn with its per-cell progress.
static void BM_LoadRom(benchmark::State& state)
{
    Session s;
    for (auto _ : state) {
        s.window.LoadRom(s.path);
    }
}
BENCHMARK(BM_LoadRom)->Unit(benchmark::kMillisecond);

static void BM_BlockChange(benchmark::State& state)
{
    Session s;
    s.window.LoadRom(s.path);
    auto* list = s.window.findChild<QComboBox*>(QStringLiteral("cboBlock"));
    int block = 0;
    for (auto _ : state) {
        list->setCurrentIndex(block++ % 8);
        s.window.cboBlock_Click();
    }
}
BENCHMARK(BM_BlockChange)->Unit(benchmark::kMillisecond);

// One movement of a left-button drag into a new cell, through the real mouse
// event, until the screen shows it.
static void BM_PaintCellDuringDrag(benchmark::State& state)
{
    Session s;
    s.window.LoadRom(s.path);
    QWidget* map = s.window.findChild<QWidget*>(QStringLiteral("picMap"));
    BenchSession::flushEvents();
    // One stroke, from cell to neighbouring cell (a snake over the visible cells).
    const auto cellAt = [](int step) {
        const int row = (step / 28) % 24;
        const int column = row % 2 == 0 ? step % 28 : 27 - step % 28;
        return QPointF(8 + 16 * column, 8 + 16 * row);
    };
    QMouseEvent press(QEvent::MouseButtonPress, cellAt(0), map->mapToGlobal(cellAt(0)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(map, &press);
    int step = 1;
    for (auto _ : state) {
        const QPointF at = cellAt(step);
        ++step;
        QMouseEvent move(QEvent::MouseMove, at, map->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(map, &move);
        QCoreApplication::processEvents();  // the repaint of the changed cell
    }
}
BENCHMARK(BM_PaintCellDuringDrag)->Unit(benchmark::kMicrosecond);

static void BM_SaveChanges(benchmark::State& state)
{
    Session s;
    s.window.LoadRom(s.path);
    for (auto _ : state) {
        s.window.mnuFileSave_Click();
    }
}
BENCHMARK(BM_SaveChanges)->Unit(benchmark::kMicrosecond);

template <typename Window> void BM_SimpleWindow(benchmark::State& state, bool save)
{
    Session s;
    s.window.LoadRom(s.path);
    for (auto _ : state) {
        auto* window = new Window(s.platform, s.window.cartridge(), &s.window);
        window->Form_Load();
        if (save) {
            window->cmdSave_Click();
        }
        delete window;
    }
}
static void BM_PricesFill(benchmark::State& state)
{
    BM_SimpleWindow<frmPrices>(state, false);
}
static void BM_PricesFillAndSave(benchmark::State& state)
{
    BM_SimpleWindow<frmPrices>(state, true);
}
static void BM_CharactersFill(benchmark::State& state)
{
    BM_SimpleWindow<frmCharacters>(state, false);
}
static void BM_CharactersFillAndSave(benchmark::State& state)
{
    BM_SimpleWindow<frmCharacters>(state, true);
}
BENCHMARK(BM_PricesFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PricesFillAndSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CharactersFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CharactersFillAndSave)->Unit(benchmark::kMicrosecond);

template <typename Window> void BM_LocationWindow(benchmark::State& state, bool save)
{
    Session s;
    s.window.LoadRom(s.path);
    for (auto _ : state) {
        auto* window = new Window(s.platform, s.window.cartridge(), s.window.pickState(), &s.window);
        window->FillFromFile(s.path);
        if (save) {
            window->cmdSave_Click();
        } else {
            window->close();
        }
        BenchSession::flushEvents();
    }
}
static void BM_ItemsFill(benchmark::State& state)
{
    BM_LocationWindow<frmIB>(state, false);
}
static void BM_ItemsFillAndSave(benchmark::State& state)
{
    BM_LocationWindow<frmIB>(state, true);
}
static void BM_TownsFill(benchmark::State& state)
{
    BM_LocationWindow<frmTowns>(state, false);
}
static void BM_TownsFillAndSave(benchmark::State& state)
{
    BM_LocationWindow<frmTowns>(state, true);
}
BENCHMARK(BM_ItemsFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ItemsFillAndSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TownsFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TownsFillAndSave)->Unit(benchmark::kMicrosecond);
