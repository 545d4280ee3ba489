// Shared entry point: every benchmark runs inside an application object, as the program does; only benchmarks
// of windows get a widgets application.
#ifdef VT_BENCH_WIDGETS
#include <QApplication>
using BenchApplication = QApplication;
#else
#include <QGuiApplication>
using BenchApplication = QGuiApplication;
#endif
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
