#include "tools/mdctl/deck_session.h"

#include "controller/disc/editing_texts.h"
#include "controller/link/unit_messages.h"

namespace tovik::mdctl {

using namespace tovik::link;

DeckSession::DeckSession(Environment& env, std::ostream& err)
    : env_(env), err_(err), link_(env.host, env.driver) {
    window_ = env_.host.createWindow(*this);
}

DeckSession::~DeckSession() {
    link_.Close();
    env_.host.destroyWindow(window_);
}

int DeckSession::fail(unsigned messageId, int code) {
    err_ << env_.host.strings().text(messageId) << '\n';
    return code;
}

int DeckSession::open() {
    if (!link_.Open()) return fail(IDS_DRIVER_NOT_FOUND, EXIT_NO_DRIVER);
    if (!link_.CardReady()) return fail(IDS_CARD_NOT_READY, EXIT_NO_CARD);
    if (!link_.Attach(window_, &status_)) return fail(IDS_DRIVER_NOT_FOUND, EXIT_NO_DRIVER);
    if (int code = await(link_.GetModel(), WM_MD_MODEL)) return code;
    model_ = link_.model();
    return EXIT_OK;
}

int DeckSession::await(bool sent, Msg first, Msg second, unsigned timeoutMs) {
    if (!sent) return fail(IDS_CARD_REMOVED, EXIT_NO_CARD);
    answer_.reset();
    const bool answered = env_.wait(
        [&] { return answer_ && (*answer_ == first || (second && *answer_ == second)); },
        timeoutMs ? timeoutMs : env_.timeoutMs);
    if (!answered) return fail(IDS_TIMEOUT, EXIT_TIMEOUT);
    if (*answer_ == WM_MD_NAME_WRITTEN && result_ != 0) return fail(disc::IDS_CANT_CHANGE_TEXT, EXIT_UNIT_ERROR);
    // A failed status answer leaves the record as it was: the unit could not be reached.
    if (*answer_ != WM_MD_MODEL && result_ != 0) return fail(IDS_CANT_ACCESS, EXIT_NO_CARD);
    if (*answer_ == WM_MD_STATUS_A || *answer_ == WM_MD_STATUS_B) row_ = buttons_.apply(status_);
    return EXIT_OK;
}

int DeckSession::refresh() { return await(link_.GetStatus(), WM_MD_STATUS_A); }

int DeckSession::send(std::uint8_t command, std::uint8_t p1, std::uint8_t p2,
                      std::uint8_t selector) {
    const Msg answer = selector == 0 ? WM_MD_STATUS_A : WM_MD_STATUS_B;
    if (int code = await(link_.SendCommand(command, p1, p2, 0, selector), answer)) return code;
    if (auto error = errorMessageId(status_.errorCode)) return fail(*error, EXIT_UNIT_ERROR);
    return EXIT_OK;
}

int DeckSession::setVolume(std::uint8_t level) {
    // The unit does not answer a volume request; the next status shows the new volume.
    if (!link_.SetVolume(level)) return fail(IDS_CARD_REMOVED, EXIT_NO_CARD);
    return refresh();
}

int DeckSession::writeName(std::uint32_t kind, std::uint32_t index, std::string_view discText,
                           unsigned timeoutMs) {
    return await(link_.WriteName(kind, index, discText), WM_MD_NAME_WRITTEN, 0, timeoutMs);
}

StatusReport DeckSession::report() const {
    StatusReport r = makeReport(status_, row_, buttons_, env_.host.strings());
    r.model = model_;
    return r;
}

LResult DeckSession::onMessage(Msg msg, WParam wParam, LParam) {
    if (msg == WM_MD_MODEL || msg == WM_MD_STATUS_A || msg == WM_MD_STATUS_B ||
        msg == WM_MD_NAME_WRITTEN) {
        answer_ = msg;
        result_ = wParam;
    }
    return 0;
}

}  // namespace tovik::mdctl
