// 10 000 look-ups in the cross-process window registry, as the resident programs make them:
// Rotela's check for the label editor and Traymote's check for the controller, most of which
// find nothing. Three other windows are registered in the folder, one of them by another
// process, so a look-up has entries to pass over.
//   build/default/bin/bench_window_lookup --benchmark_repetitions=5
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

#include "platform/qt/qt_window_registry.h"

namespace {

using tovik::qt::QtWindowRegistry;

constexpr int kLookups = 10000;

struct Folder {
    Folder() {
        ::setenv("TOVIK_RUNTIME_DIR", dir.path().toUtf8().constData(), 1);
        // Another process's window: registered before it stops, so its entry stays locked.
        if (pipe(ready) != 0 || pipe(release) != 0) std::abort();
        child = fork();
        if (child == 0) {
            int argc = 0;
            QCoreApplication app(argc, nullptr);
            QtWindowRegistry other;
            other.registerWindow("#32770", "TOVIK MD Controller", [] {});
            char c = 1;
            (void)!write(ready[1], &c, 1);
            (void)!read(release[0], &c, 1);
            _exit(0);
        }
        char c;
        (void)!read(ready[0], &c, 1);
    }
    ~Folder() {
        char c = 1;
        (void)!write(release[1], &c, 1);
        waitpid(child, nullptr, 0);
    }
    QTemporaryDir dir;
    int ready[2]{}, release[2]{};
    pid_t child = 0;
};

Folder* folder = nullptr;

void lookups(benchmark::State& state, const char* windowClass) {
    QtWindowRegistry registry;
    registry.registerWindow("TRAYMOTEWClass", "TRAYMOTE", [] {});
    registry.registerWindow("Volume Control", "Mixer", [] {});
    QCoreApplication::processEvents();
    int found = 0;
    for (auto _ : state) {
        for (int i = 0; i < kLookups; ++i) {
            found += registry.findWindow(std::string(windowClass), std::nullopt).has_value();
        }
    }
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BM_AbsentClass(benchmark::State& state) { lookups(state, "Sleevon"); }
void BM_PresentClass(benchmark::State& state) { lookups(state, "#32770"); }

BENCHMARK(BM_AbsentClass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PresentClass)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    Folder f;  // forks before this process has its application object
    folder = &f;
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
