// An idle Qt widgets program with a 1 s timer and no window: what a resident tray program costs
// at the least. measure.sh runs it beside Traymote.
#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(1000);
    return app.exec();
}
