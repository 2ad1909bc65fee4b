// The baseline for Rotela's measurements: an empty QMainWindow of the panel's size, shown at
// once, optionally repainted on a timer as the panel is in its fastest poll.
//
//   empty_panel_window [--repaint-ms MS]

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int repaintMs = 0;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--repaint-ms") == 0) repaintMs = std::atoi(argv[i + 1]);
    QMainWindow window;
    window.setWindowTitle("empty");
    window.resize(625, 206);
    window.show();
    QTimer repaint;
    if (repaintMs > 0) {
        QObject::connect(&repaint, &QTimer::timeout, &window, [&window] { window.update(); });
        repaint.start(repaintMs);
    }
    return app.exec();
}
