#include "BenchSession.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QSaveFile>

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
        s.load();
    }
}
BENCHMARK(BM_LoadRom)->Unit(benchmark::kMillisecond);

static void BM_BlockChange(benchmark::State& state)
{
    Session s;
    s.load();
    auto* list = s.child<QComboBox>("cboBlock");
    int entry = 0;
    for (auto _ : state) {
        // As a choice in the list does: the entry becomes current, then it is activated.
        list->setCurrentIndex(entry);
        emit list->activated(entry);
        entry = (entry + 1) % 8;
    }
}
BENCHMARK(BM_BlockChange)->Unit(benchmark::kMillisecond);

// One movement of a left-button drag into a new cell, through the real mouse
// event, until the screen shows it.
static void BM_PaintCellDuringDrag(benchmark::State& state)
{
    Session s;
    s.load();
    QWidget* map = s.child("picMap");
    BenchSession::flushEvents();
    // One stroke, from cell to neighbouring cell (a snake over the visible cells).
    const auto cellAt = [](int step) {
        const int row = (step / 28) % 24;
        const int column = row % 2 == 0 ? step % 28 : 27 - step % 28;
        return QPointF(8 + 16 * column, 8 + 16 * row);
    };
    BenchSession::mouse(map, QEvent::MouseButtonPress, cellAt(0), Qt::LeftButton, Qt::LeftButton);
    int step = 1;
    for (auto _ : state) {
        BenchSession::mouse(map, QEvent::MouseMove, cellAt(step++), Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();  // the repaint of the changed cell
    }
}
BENCHMARK(BM_PaintCellDuringDrag)->Unit(benchmark::kMicrosecond);

static void BM_SaveChanges(benchmark::State& state)
{
    Session s;
    s.load();
    for (auto _ : state) {
        s.choose("mnuFileSave");
    }
}
BENCHMARK(BM_SaveChanges)->Unit(benchmark::kMicrosecond);

// A Game window chosen in its menu and filled from the file, optionally saved
// with its button, then deleted at once, so that no later event of it is timed.
static void BM_GameWindow(benchmark::State& state, const char* entry, bool save)
{
    Session s;
    s.load();
    for (auto _ : state) {
        s.choose(entry);
        QDialog* window = s.platform.modal;
        if (save) {
            window->findChild<QAbstractButton*>(QStringLiteral("cmdSave"))->click();
        }
        delete window;
    }
}
static void BM_PricesFill(benchmark::State& state)
{
    BM_GameWindow(state, "mnuGamePriceItems", false);
}
static void BM_PricesFillAndSave(benchmark::State& state)
{
    BM_GameWindow(state, "mnuGamePriceItems", true);
}
static void BM_CharactersFill(benchmark::State& state)
{
    BM_GameWindow(state, "mnuCharacters", false);
}
static void BM_CharactersFillAndSave(benchmark::State& state)
{
    BM_GameWindow(state, "mnuCharacters", true);
}
BENCHMARK(BM_PricesFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PricesFillAndSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CharactersFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CharactersFillAndSave)->Unit(benchmark::kMicrosecond);
static void BM_ItemsFill(benchmark::State& state)
{
    BM_GameWindow(state, "mnuGameItems", false);
}
static void BM_ItemsFillAndSave(benchmark::State& state)
{
    BM_GameWindow(state, "mnuGameItems", true);
}
static void BM_TownsFill(benchmark::State& state)
{
    BM_GameWindow(state, "mnuGameTowns", false);
}
static void BM_TownsFillAndSave(benchmark::State& state)
{
    BM_GameWindow(state, "mnuGameTowns", true);
}
BENCHMARK(BM_ItemsFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ItemsFillAndSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TownsFill)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TownsFillAndSave)->Unit(benchmark::kMicrosecond);
