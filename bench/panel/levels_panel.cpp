// Rotela's panel window in the unit's level mode (mode 6), which the simulated unit never enters:
// a card that answers like vtovikmd (15 ms late) with one second of playing, then mode 6 with
// moving levels, so the panel polls every 50 ms and feeds the meter each time. measure.sh runs it
// beside an empty window repainted every 50 ms.
//
//   levels_panel

#include <sys/mman.h>

#include <QApplication>
#include <QTimer>

#include <cmath>
#include <cstring>
#include <memory>

#include "cardsim/card_device.h"
#include "controller/ui/controller_panel.h"
#include "controller/ui/qt_panel_window.h"
#include "platform/qt/qt_host.h"
#include "resources/strings.h"

namespace {

using namespace tovik;

constexpr int kLatencyMs = 15;
constexpr int kPlayingStatuses = 5;

class LevelsCard : public card::CardDriver, public card::CardDevice {
public:
    explicit LevelsCard(Host& host) : host_(host) {
        void* p = mmap(nullptr, card::kBlockSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
        block_ = p == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(p);
    }
    ~LevelsCard() override {
        if (block_) munmap(block_, card::kBlockSize);
    }

    std::unique_ptr<card::CardDevice> open(const std::string&) override {
        struct Handle : card::CardDevice {
            LevelsCard& card;
            explicit Handle(LevelsCard& c) : card(c) {}
            bool control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                         std::uint32_t outSize) override {
                return card.control(code, in, inSize, out, outSize);
            }
        };
        return block_ ? std::make_unique<Handle>(*this) : nullptr;
    }

    bool control(std::uint32_t code, const void* in, std::uint32_t, void* out, std::uint32_t outSize) override {
        std::uint32_t window = 0;
        if (in) std::memcpy(&window, in, 4);
        switch (code) {
            case card::MDIO_ATTACH_BLOCK: {
                const auto a = address(0);
                if (outSize >= 4) std::memcpy(out, &a, 4);
                return true;
            }
            case card::MDIO_GET_MODEL:
                std::memcpy(block_ + card::kAreaC, "ZQ-41", 6);
                answer(window, card::WM_MD_MODEL, card::kAreaC);
                return true;
            case card::MDIO_GET_STATUS:
                fillStatus(card::kAreaA);
                answer(window, card::WM_MD_STATUS, card::kAreaA);
                return true;
            case card::MDIO_GET_METER_STATUS:
            case card::MDIO_SEND_COMMAND:
                fillStatus(card::kAreaB);
                answer(window, card::WM_MD_METER, card::kAreaB);
                return true;
            default: return true;
        }
    }

private:
    std::uint32_t address(std::uint32_t offset) const {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block_ + offset));
    }

    // Playing track 1 of a recordable disc, then the level mode; levels of music in area B.
    void fillStatus(std::uint32_t area) {
        const double t = statuses_++ * 0.05;
        const auto level = [t](double phase) {
            return static_cast<std::uint8_t>(40 + 80 * std::fabs(std::sin(t * 3 + phase)) * std::exp(-std::fmod(t, 0.5) * 3));
        };
        const std::uint8_t op = statuses_ <= kPlayingStatuses ? 0x50 : 0x60;
        const std::uint8_t raw[card::kStatusSize] = {
            0x10, op, 0, 0x40, 0x04, 0, 1, 20, 0, static_cast<std::uint8_t>(t / 60),
            static_cast<std::uint8_t>(static_cast<int>(t) % 60),
            area == card::kAreaA ? std::uint8_t{0} : level(0), area == card::kAreaA ? std::uint8_t{8} : level(1)};
        std::memcpy(block_ + area, raw, sizeof raw);
    }

    void answer(std::uint32_t window, Msg msg, std::uint32_t area) {
        const LParam lParam = static_cast<LParam>(address(area));
        QTimer::singleShot(kLatencyMs, [this, window, msg, lParam] { host_.post(window, msg, 0, lParam); });
    }

    Host& host_;
    std::uint8_t* block_ = nullptr;
    long statuses_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    qt::QtHost host("RotelaLevelsBench", resources::rotelaStrings());
    LevelsCard card(host);
    ui::ControllerPanel panel(host, card);
    ui::PanelWindow window(host, panel);
    panel.setView(&window);
    panel.setPlacement(&window);
    if (!panel.initialise()) return 1;
    window.show();
    host.runModal(panel.window());
    panel.shutdown();
    return 0;
}
