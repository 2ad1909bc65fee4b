#pragma once
// mdctl's link to the deck: the same CMdCommWnd the panel uses, but each request waits for its
// answer (or a time-out) before the next, the way a script expects.

#include <functional>
#include <optional>
#include <ostream>
#include <string_view>

#include "cardsim/card_device.h"
#include "controller/link/button_state.h"
#include "controller/link/md_comm_wnd.h"
#include "controller/link/status_report.h"
#include "platform/host.h"

namespace tovik::mdctl {

enum ExitCode : int {
    EXIT_OK = 0,
    EXIT_USAGE = 1,
    EXIT_NO_DRIVER = 2,
    EXIT_NO_CARD = 3,     // not ready, removed, or the unit cannot be accessed
    EXIT_TIMEOUT = 4,
    EXIT_UNIT_ERROR = 5,  // the unit answered a command with an error code
};

// Runs the host's events until done() holds or timeoutMs pass; true when done.
using Waiter = std::function<bool(const std::function<bool()>& done, unsigned timeoutMs)>;

struct Environment {
    Host& host;
    card::CardDriver& driver;
    Waiter wait;
    unsigned timeoutMs = 10000;
    std::function<bool()> interrupted = [] { return false; };
};

class DeckSession : private MessageTarget {
public:
    DeckSession(Environment& env, std::ostream& err);
    ~DeckSession();

    // Open, card ready, attach, model; EXIT_OK or the failure's code after its message.
    int open();
    // A full status (area A), applied to the state table.
    int refresh();
    // The command's answer (area B unless the selector is 0), applied to the state table.
    int send(std::uint8_t command, std::uint8_t p1, std::uint8_t p2, std::uint8_t selector);
    int setVolume(std::uint8_t level);
    // Writes a name already in disc form and waits up to timeoutMs for the unit's answer; a name
    // the unit would not take is EXIT_UNIT_ERROR ("Can't change MD text data.").
    int writeName(std::uint32_t kind, std::uint32_t index, std::string_view discText,
                  unsigned timeoutMs);

    link::StatusReport report() const;
    const link::MdStatus& status() const { return status_; }
    const link::ButtonState& buttons() const { return buttons_; }

private:
    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override;
    int fail(unsigned messageId, int code);
    // Waits for one of the two answer messages after a request that was accepted or not.
    int await(bool sent, Msg first, Msg second = 0, unsigned timeoutMs = 0);

    Environment& env_;
    std::ostream& err_;
    link::CMdCommWnd link_;
    link::MdStatus status_;
    link::ButtonState buttons_;
    std::optional<int> row_;
    std::string model_;
    Handle window_ = kNoWindow;
    std::optional<Msg> answer_;
    WParam result_ = 0;
};

}  // namespace tovik::mdctl
