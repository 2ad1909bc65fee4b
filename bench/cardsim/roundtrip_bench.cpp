// One status request's round trip through a real vtovikmd on loopback: from the request to
// the answer posted to the window, with the daemon's latency set to 0. Reports the median and
// the 99th percentile of all iterations as counters (microseconds).
//   build-*/bin/bench_cardsim_roundtrip --benchmark_min_time=3
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

#include "cardsim/card_device.h"
#include "cardsim/daemon_driver.h"

namespace {

using namespace tovik;

// Just enough of a window system: remembers that an answer arrived.
class CountingWindows : public WindowSystem {
public:
    Handle createWindow(MessageTarget&) override { return 1; }
    void destroyWindow(Handle) override {}
    bool isWindow(Handle w) const override { return w == 1; }
    bool post(Handle, Msg msg, WParam, LParam) override {
        if (msg == card::WM_MD_STATUS) ++answers;
        return true;
    }
    LResult send(Handle, Msg, WParam, LParam) override { return 0; }
    int answers = 0;
};

void BM_StatusRoundTrip(benchmark::State& state) {
    QTemporaryDir dir;
    const QString socket = dir.filePath("bench.sock");
    qputenv("VTOVIKMD_SOCKET", socket.toUtf8());
    QProcess daemon;
    daemon.start(VTOVIKMD_PATH, {"--disc", TOVIK_DISC_DIR "/english-album.json", "--latency", "0"});
    QElapsedTimer wait;
    wait.start();
    CountingWindows windows;
    auto driver = card::makeDaemonCardDriver(windows);
    std::unique_ptr<card::CardDevice> device;
    while (!device && wait.elapsed() < 5000) device = driver->open(card::kDevicePath);
    if (!device) {
        state.SkipWithError("vtovikmd did not start");
        return;
    }
    std::uint8_t in[8], out[80];
    std::uint32_t size = card::kBlockSize, block = 0;
    std::memcpy(in, &size, 4);
    device->control(card::MDIO_ATTACH_BLOCK, in, 4, out, sizeof out);
    std::memcpy(&block, out, 4);
    const std::uint32_t window = 1;
    std::memcpy(in, &window, 4);
    std::memcpy(in + 4, &block, 4);

    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int before = windows.answers;
        if (!device->control(card::MDIO_GET_STATUS, in, 8, out, sizeof out)) {
            state.SkipWithError("request refused");
            break;
        }
        while (windows.answers == before) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    if (!micros.empty()) {
        std::sort(micros.begin(), micros.end());
        state.counters["median_us"] = micros[micros.size() / 2];
        state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
    }
    device.reset();
    daemon.kill();
    daemon.waitForFinished(2000);
}
BENCHMARK(BM_StatusRoundTrip)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
