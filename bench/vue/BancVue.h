// What the view's benchmarks share: running the event loop until a frame
// (or any condition) has come, and the way they are timed.
#ifndef BANC_VUE_H
#define BANC_VUE_H

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

// Processes events until pret() holds or five seconds have passed; false on
// time-out. It sleeps while no event is pending (a timer wakes it now and
// then), so that the renderer's threads and the X server keep both cores.
template <typename Condition> bool attendre(Condition pret) {
    QTimer reveil;
    reveil.start(50);
    QElapsedTimer chrono;
    chrono.start();
    while (!pret()) {
        if (chrono.elapsed() > 5000) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// In milliseconds of wall-clock time, with the whole process's CPU time
// (the renderer rasterises on threads of its own); for ->Apply.
inline void reglagesVue(benchmark::internal::Benchmark* banc) {
    banc->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
}

// Reads the benchmark options and runs the benchmarks selected; the exit
// status of main (1 for an unknown option).
inline int lancerBancs(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#endif
