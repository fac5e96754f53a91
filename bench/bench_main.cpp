#include <QApplication>

#include <benchmark/benchmark.h>

// Google Benchmark with a Qt application around it, so benchmarks can drive
// real windows (run with QT_QPA_PLATFORM=offscreen).
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
