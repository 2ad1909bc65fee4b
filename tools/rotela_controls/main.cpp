// rotela-controls: Rotela's skinned controls on their own, for looking at them: the level meter
// playing (or held), the track list box with its mark and end row, and the editor's move keys,
// which move the mark as they do in the track list editor.
//
//   rotela-controls [--levels LEFT,RIGHT]     hold the meter at two raw levels
//   TOVIK_LANG=ja rotela-controls             Japanese track names

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <optional>

#include "controller/ui/level_meter_widget.h"
#include "controller/ui/rotela_skin.h"
#include "controller/ui/skin_button_widget.h"
#include "controller/ui/track_list_widget.h"
#include "platform/qt/qt_host.h"
#include "resources/skin/skin_catalog.h"
#include "resources/strings.h"

namespace tovik::ui {
namespace {

constexpr int kMoveUp = 1038, kMoveDown = 1039, kDel = 1040;

class ControlsWindow : public QWidget, public MessageTarget {
public:
    ControlsWindow(qt::QtHost& host, std::optional<std::pair<int, int>> held) : host_(host) {
        setWindowTitle("Rotela controls");
        setFixedSize(430, 188);
        window_ = host.createWindow(*this);

        meter_ = new LevelMeterWidget(this);
        meter_->setGeometry(34, 34, 47, 103);

        list_ = new TrackListWidget(this);
        list_->setGeometry(112, 22, 250, 146);
        const bool japanese = systemLanguage() == Language::Japanese;
        const char* english[] = {"Morning Call", "Blue Harbour", "Paper Planes (live)", "Night Drive",
                                 "Slow Rain", "Last Train Home", "Encore"};
        const char* katakana[] = {"\xEF\xBE\x93\xEF\xBD\xB0\xEF\xBE\x86\xEF\xBE\x9D\xEF\xBD\xB8\xEF\xBE\x9E \xEF\xBD\xBA\xEF\xBD\xB0\xEF\xBE\x99",
                                  "\xEF\xBE\x8C\xEF\xBE\x9E\xEF\xBE\x99\xEF\xBD\xB0 \xEF\xBE\x8A\xEF\xBD\xB0\xEF\xBE\x8E\xEF\xBE\x9E\xEF\xBD\xB0",
                                  "\xEF\xBE\x8D\xEF\xBE\x9F\xEF\xBD\xB0\xEF\xBE\x8A\xEF\xBE\x9F\xEF\xBD\xB0 \xEF\xBE\x8C\xEF\xBE\x9F\xEF\xBE\x9A\xEF\xBD\xB0\xEF\xBE\x9D",
                                  "\xEF\xBE\x85\xEF\xBD\xB2\xEF\xBE\x84 \xEF\xBE\x84\xEF\xBE\x9E\xEF\xBE\x97\xEF\xBD\xB2\xEF\xBE\x8C\xEF\xBE\x9E",
                                  "\xEF\xBD\xBD\xEF\xBE\x9B\xEF\xBD\xB0 \xEF\xBE\x9A\xEF\xBD\xB2\xEF\xBE\x9D",
                                  "\xEF\xBE\x97\xEF\xBD\xBD\xEF\xBE\x84 \xEF\xBE\x84\xEF\xBE\x9A\xEF\xBD\xB2\xEF\xBE\x9D",
                                  "\xEF\xBD\xB1\xEF\xBE\x9D\xEF\xBD\xBA\xEF\xBD\xB0\xEF\xBE\x99"};
        for (int i = 0; i < 7; ++i) list_->addItem(QString::fromUtf8(japanese ? katakana[i] : english[i]));
        list_->addItem(QString::fromUtf8(TrackListBox::kEndRow.data(), 2));
        list_->setCurrentRow(1);
        list_->setMarkedItem(4);

        int y = 40;
        for (auto [id, caption, tip] : {std::tuple{kMoveUp, "MOVEUP", "Move the mark up"},
                                        std::tuple{kMoveDown, "MOVEDOWN", "Move the mark down"},
                                        std::tuple{kDel, "DEL", "Delete the selected track"}}) {
            auto* button = new RepeatButtonWidget(host, id, caption, this);
            button->move(380, y);
            button->setToolTip(tip);
            button->setParentWindow(window_);
            if (id != kDel) {
                button->button().setAutoRepeat(true);
                button->button().setRepeatPeriod(50);
            }
            y += 36;
        }

        if (held) {
            levels_ = *held;
        } else {
            connect(&timer_, &QTimer::timeout, this, [this] { play(); });
            timer_.start(50);  // as often as the panel polls while the meter runs
        }
    }
    ~ControlsWindow() override { host_.destroyWindow(window_); }

    LResult onMessage(Msg msg, WParam wParam, LParam) override {
        if (msg != WM_COMMAND) return 0;
        const int mark = list_->markedItem() < 0 ? list_->currentRow() : list_->markedItem();
        if (wParam == kMoveUp && mark > 0) list_->setMarkedItem(mark - 1);
        if (wParam == kMoveDown && mark < list_->count() - 1) list_->setMarkedItem(mark + 1);
        return 0;
    }

protected:
    void showEvent(QShowEvent*) override {
        if (levels_) meter_->setLevels(levels_->first, levels_->second);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        qt::QtCanvas canvas(painter, rotelaSkin());
        // The corner of the panel's body, then its lower edge, for a body of this size.
        const Size body = canvas.bitmapSize(skin::bitmap::kPanel);
        canvas.drawBitmapPart(skin::bitmap::kPanel, {0, 0}, Rect{0, 0, width(), height() - 20});
        canvas.drawBitmapPart(skin::bitmap::kPanel, {0, height() - 20},
                              Rect{0, body.cy - 20, width() - 6, body.cy});
        canvas.drawBitmapPart(skin::bitmap::kPanel, {width() - 6, 0}, Rect{body.cx - 6, 0, body.cx, height()});
        canvas.drawBitmap(skin::bitmap::kLevelCaption, {34, 143});
    }

private:
    void play() {
        const double t = tick_++ * 0.05;
        const double beat = std::exp(-std::fmod(t, 0.5) * 5.0);
        const double swell = 0.7 + 0.3 * std::sin(t * 0.6);
        auto level = [&](double phase) {
            return static_cast<int>(127 * swell * (0.4 + 0.6 * beat) * (0.9 + 0.1 * std::sin(t * 3 + phase)));
        };
        meter_->setLevels(level(0), level(1.7));
    }

    qt::QtHost& host_;
    Handle window_ = kNoWindow;
    LevelMeterWidget* meter_ = nullptr;
    TrackListWidget* list_ = nullptr;
    QTimer timer_;
    long tick_ = 0;
    std::optional<std::pair<int, int>> levels_;
};

}  // namespace
}  // namespace tovik::ui

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::optional<std::pair<int, int>> held;
    for (int i = 1; i + 1 < argc; ++i) {
        int left = 0, right = 0;
        if (std::string(argv[i]) == "--levels" && std::sscanf(argv[i + 1], "%d,%d", &left, &right) == 2) {
            held = {left, right};
        }
    }
    tovik::qt::QtHost host("Rotela", tovik::resources::rotelaStrings());
    tovik::ui::ControlsWindow window(host, held);
    window.show();
    return app.exec();
}
