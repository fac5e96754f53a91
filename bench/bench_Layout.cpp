#include "BenchPlatform.h"
#include "core/MapChanges.h"
#include "editor/EditorSession.h"
#include "ui/frmMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// What the editor remembers between runs and View > Show Changes: the start
// with and without a remembered layout, and the comparison of every cell.

// Every cell of the image compared with the file and its backup, as a load,
// a save or the switch does (the references are read once, outside the timing).
static void BM_ChangesCompareAll(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.nes"));
    QByteArray bytes(262160, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    file.close();
    CartridgeImage image;
    image.assign(bytes.mid(CartridgeImage::FirstIndex).replace('\x07', '\x08'));
    MapChanges changes;
    changes.readReferences(path);
    for (auto _ : state) {
        changes.compareAll(image);
        benchmark::DoNotOptimize(changes.unsavedCount());
    }
    state.SetLabel(std::to_string(changes.unsavedCount()) + " changed");
}
BENCHMARK(BM_ChangesCompareAll)->Unit(benchmark::kMicrosecond);

// The main window built and shown, until it has painted, on a settings store
// that remembers nothing (range 0) or a whole layout of an earlier run (range 1):
// another place (the same size, so both paint alike), both zooms, the tool, Show Changes.
static void BM_StartUp(benchmark::State& state)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    if (state.range(0) == 1) {
        BenchPlatform platform;
        platform.store = &settings;
        EditorSession session(platform);
        frmMain window(session, platform);
        window.show();
        window.move(window.pos() - QPoint(40, 10));
        QCoreApplication::processEvents();
        session.setTool(QStringLiteral("Fill"));
        session.setChangesShown(true);
        session.memory().setNumber(LayoutMemory::MapZoom, 32);
        session.memory().setNumber(LayoutMemory::WorldZoom, 8);
        window.close();
    }
    for (auto _ : state) {
        BenchPlatform platform;
        platform.store = &settings;
        EditorSession session(platform);
        frmMain window(session, platform);
        window.show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
    state.SetLabel(state.range(0) == 1 ? "remembered" : "first start");
}
BENCHMARK(BM_StartUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
