// The level meter fed as mode 6 feeds it: a new pair of levels every 50 ms for 30 s. On the same
// timer an empty widget is repainted, the cost of any repaint at all. Prints each one's paints
// and the CPU time spent in it (this thread's clock, around the call), and their ratio.
//
//   meter_repaint [SECONDS]   (run under Xvfb or on a desktop; offscreen works too)

#include <QApplication>
#include <QHBoxLayout>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>

#include "controller/ui/level_meter_widget.h"

namespace {

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double processCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

class EmptyWidget : public QWidget {
public:
    using QWidget::QWidget;
    long paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// Levels of music as the unit reports them: a beat, a slow swell, some noise, one quiet pause.
class Music {
public:
    std::pair<int, int> next() {
        const double t = tick_++ * 0.05;
        if (std::fmod(t, 12.0) > 10.5) return {0, 0};  // between two tracks
        const double beat = std::exp(-std::fmod(t, 0.5) * 6.0);
        const double swell = 0.6 + 0.4 * std::sin(t * 0.7);
        auto level = [&](double bias) {
            double v = 127.0 * swell * (0.35 + 0.65 * beat) * bias + noise_(random_);
            return static_cast<int>(std::clamp(v, 0.0, 127.0));
        };
        return {level(1.0), level(0.9)};
    }

private:
    long tick_ = 0;
    std::mt19937 random_{7};
    std::normal_distribution<double> noise_{0.0, 6.0};
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;

    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* meter = new tovik::ui::LevelMeterWidget;
    meter->setFixedSize(47, 103);  // the panel's meter
    auto* empty = new EmptyWidget;
    empty->setFixedSize(47, 103);
    layout->addWidget(meter);
    layout->addWidget(empty);
    window.show();

    Music music;
    long ticks = 0, changes = 0;
    int lastLeft = -1, lastRight = -1;
    double meterMs = 0, emptyMs = 0;
    long meterPaintsBefore = 0, emptyPaintsBefore = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (ticks == 0) {  // count from the first tick: the window's first paints are not ours
            meterPaintsBefore = meter->paintCount();
            emptyPaintsBefore = empty->paints;
        }
        auto [left, right] = music.next();
        double t0 = threadCpuMs();
        meter->setLevels(left, right);
        double t1 = threadCpuMs();
        empty->repaint();
        double t2 = threadCpuMs();
        meterMs += t1 - t0;
        emptyMs += t2 - t1;
        const int l = tovik::ui::LevelMeter::litCountFor(left), r = tovik::ui::LevelMeter::litCountFor(right);
        if (l != lastLeft || r != lastRight) ++changes;
        lastLeft = l;
        lastRight = r;
        ++ticks;
    });
    timer.start(50);
    const double processStart = processCpuMs();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();
    const double processMs = processCpuMs() - processStart;

    const long meterPaints = meter->paintCount() - meterPaintsBefore;
    const long emptyPaints = empty->paints - emptyPaintsBefore;
    std::printf("platform: %s, %d s, %ld ticks of 50 ms\n", qPrintable(QGuiApplication::platformName()),
                seconds, ticks);
    std::printf("lit counts changed on %ld ticks (%.0f%%)\n", changes, 100.0 * changes / std::max(1L, ticks));
    std::printf("meter: %ld paints, %.1f ms CPU (%.3f ms a tick)\n", meterPaints, meterMs, meterMs / ticks);
    std::printf("empty: %ld paints, %.1f ms CPU (%.3f ms a tick)\n", emptyPaints, emptyMs, emptyMs / ticks);
    std::printf("meter / empty: paints %.2f, CPU %.2f\n", double(meterPaints) / std::max(1L, emptyPaints),
                meterMs / std::max(0.001, emptyMs));
    std::printf("whole process: %.1f ms CPU = %.2f%% of one core\n", processMs, processMs / (seconds * 10.0));
    return 0;
}
