#include "BenchPlatform.h"
#include "BenchSession.h"
#include "core/Cartridge.h"
#include "editor/EmulatorLauncher.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// F5 up to the emulator's start: the cartridge file read, the image with
// 4096 edited cells put in, the copy written to a new temporary folder. The
// start itself is the platform's (answered at once here).
static void BM_TestInEmulator(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.nes"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(BenchSession::cartridgeBytes());
    file.close();
    Cartridge cartridge;
    cartridge.LoadCartridge(path, nullptr);
    for (qint32 index = CartridgeImage::FirstIndex; index <= CartridgeImage::LastIndex; index += 30) {
        cartridge.image().set(index, 0x21);
    }
    BenchPlatform platform;
    EmulatorLauncher launcher(platform);
    launcher.setCommand(QStringLiteral("emulator %f"));
    for (auto _ : state) {
        if (!launcher.start(cartridge)) {
            state.SkipWithError("no copy was made");
            break;
        }
        state.PauseTiming();
        launcher.removeFiles();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TestInEmulator)->Unit(benchmark::kMillisecond);
