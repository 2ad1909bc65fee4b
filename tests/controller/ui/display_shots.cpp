// Screenshots of Rotela's display in each of its states, taken from the X server the way a
// person would see them. Not a test; run by hand under Xvfb, once per language:
//
//   TOVIK_LANG=en xvfb-run -a -s "-screen 0 800x600x24" build/default/bin/display_shots docs/screenshots
//   TOVIK_LANG=ja xvfb-run -a -s "-screen 0 800x600x24" build/default/bin/display_shots docs/screenshots
//
// Writes display-<state>-<en|ja>.png into the folder given.

#include <QApplication>
#include <QEventLoop>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "controller/link/md_mode.h"
#include "controller/ui/display_panel.h"
#include "controller/ui/qt_display_widget.h"
#include "controller/ui/qt_name_popup.h"
#include "platform/qt/qt_host.h"
#include "resources/strings.h"

namespace {

using namespace tovik;
using namespace tovik::ui;

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

link::MdStatus unit(std::uint8_t mode, std::uint8_t track, std::uint8_t minutes, std::uint8_t seconds) {
    link::MdStatus s;
    s.unitState = 0x10;
    s.mode = mode;
    s.discState = 1;
    s.recordable = 1;
    s.flagB = 1;
    s.currentTrack = track;
    s.totalTracks = 14;
    s.minutes = minutes;
    s.seconds = seconds;
    return s;
}

struct Names {
    std::string disc, track, longName;  // UTF-8
};

struct Shot {
    const char* name;
    std::function<void(DisplayPanel&)> feed;
    bool popup = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: display_shots FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    qt::QtHost host("Rotela", resources::rotelaStrings());
    const bool japanese = host.codePage().isJapanese();
    const char* language = japanese ? "ja" : "en";

    const Names names = japanese
        ? Names{"ｻﾞ･ﾍﾞｽﾄ ｵﾌﾞ ｼﾃｨﾎﾟｯﾌﾟ", "ﾏｲｱｰﾊﾞﾝ ﾗﾌﾞｿﾝｸﾞ",
                "ﾌﾟﾗｽﾃｨｯｸ･ﾗﾌﾞ ~ ﾐｯﾄﾞﾅｲﾄ ﾄﾞﾗｲﾌﾞ ﾊﾞｰｼﾞｮﾝ (1984 ｵﾘｼﾞﾅﾙ ﾐｯｸｽ)"}
        : Names{"Abbey Road", "Come Together",
                "Golden Slumbers / Carry That Weight / The End (2019 Mix, Live Take)"};
    auto setNames = [&](DisplayPanel& d) {
        d.setDiscName(*host.codePage().fromUtf8(names.disc));
        d.setTrackName(*host.codePage().fromUtf8(names.track));
    };

    const std::vector<Shot> shots{
        {"dark", [](DisplayPanel&) {}},
        {"stopped",
         [&](DisplayPanel& d) {
             d.updateFromStatus(unit(link::MODE_STOPPED, 1, 0, 0), false);
             setNames(d);
         }},
        {"playing",
         [&](DisplayPanel& d) {
             d.updateFromStatus(unit(link::MODE_PLAYING, 7, 3, 5), false);
             setNames(d);
         }},
        {"paused-automark-monolp",
         [&](DisplayPanel& d) {
             link::MdStatus s = unit(link::MODE_PAUSED, 12, 41, 9);
             s.subState = 3;  // remaining time
             s.flagA = 1;
             s.flagB = 0;
             d.updateFromStatus(s, false);
             setNames(d);
         }},
        {"error-message",
         [&](DisplayPanel& d) {
             link::MdStatus s = unit(link::MODE_STOPPED, 14, 0, 0);
             d.updateFromStatus(s, false);
             setNames(d);
             s.errorCode = 0xB0;  // TOC FULL
             d.updateFromStatus(s, false);
         }},
        {"no-disc",
         [&](DisplayPanel& d) {
             link::MdStatus s = unit(link::MODE_STOPPED, 0, 0, 0);
             s.discState = 0;
             d.updateFromStatus(s, false);
         }},
        {"cant-access",
         [&](DisplayPanel& d) {
             d.updateFromStatus(unit(link::MODE_PLAYING, 7, 3, 5), false);
             setNames(d);
             d.updateFromStatus(unit(link::MODE_PLAYING, 7, 3, 5), true);
         }},
        {"name-popup",
         [&](DisplayPanel& d) {
             d.updateFromStatus(unit(link::MODE_PLAYING, 7, 3, 5), false);
             setNames(d);
             d.setTrackName(*host.codePage().fromUtf8(names.longName));
         },
         true},
    };

    int failures = 0;
    for (const Shot& shot : shots) {
        // The display on a piece of the panel's silver body.
        QWidget frame;
        frame.setWindowFlags(Qt::FramelessWindowHint);
        QPalette palette = frame.palette();
        palette.setColor(QPalette::Window, QColor(192, 192, 192));
        frame.setPalette(palette);
        frame.setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(&frame);
        layout->setContentsMargins(12, 12, 12, 12);
        DisplayPanel display(host, kNoWindow);
        auto* widget = new DisplayWidget(display, &frame);
        layout->addWidget(widget);
        frame.move(40, 40);
        frame.show();
        wait(200);
        shot.feed(display);
        if (shot.popup) {
            display.nameBoxClicked(NameBox::Track);
            wait(static_cast<int>(widget->doubleClickTimeMs()) + 200);
        }
        wait(200);

        QRect area = frame.frameGeometry();
        if (NamePopup* popup = widget->popup()) area = area.united(popup->frameGeometry());
        QPixmap picture = frame.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        const QString file = QString("%1/display-%2-%3.png").arg(folder, shot.name, language);
        if (!picture.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
