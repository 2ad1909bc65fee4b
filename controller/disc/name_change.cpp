#include "controller/disc/name_change.h"

#include "controller/disc/editing_texts.h"
#include "controller/link/md_mode.h"
#include "controller/link/unit_messages.h"

namespace tovik::disc {

NameChange::NameChange(Host& host, link::CMdCommWnd& link, Handle window,
                       const link::MdStatus& status, const link::ButtonState& buttons,
                       DiscNameReader& reader, NameDialog& dialog, WaitBox& waitBox)
    : host_(host),
      link_(link),
      window_(window),
      status_(status),
      buttons_(buttons),
      reader_(reader),
      dialog_(dialog),
      waitBox_(waitBox) {}

bool NameChange::discNameEditable() const {
    return buttons_.discNameEditable() && reader_.model().discNameKnown;
}

bool NameChange::trackNameEditable() const {
    const int c = status_.currentTrack;
    const MdDiscModel& model = reader_.model();
    return c >= 1 && c <= model.trackCount && model.trackKnown(c) &&
           buttons_.trackNameEditable() && !link::hidesCurrentTrackName(status_.mode, status_.subState);
}

bool NameChange::handle(Msg msg, WParam wParam, LParam) {
    switch (msg) {
        case WM_EDIT_DISC_NAME:
            if (discNameEditable()) edit(link::NAME_DISC, 0);
            return true;
        case WM_EDIT_TRACK_NAME:
            if (trackNameEditable()) edit(link::NAME_TRACK, status_.currentTrack);
            return true;
        case link::WM_MD_NAME_WRITTEN:
            written(wParam);
            return true;
        case WM_TIMER:
            if (wParam != TIMER_NAME_WRITE_TIMEOUT) return false;
            timedOut();
            return true;
        default: return false;
    }
}

void NameChange::edit(std::uint32_t kind, int track) {
    // One change at a time: a double click that slips in while one runs is dropped.
    if (writePending() || dialog_.isOpen()) return;
    const bool disc = kind == link::NAME_DISC;
    const std::string& name = disc ? reader_.model().discName : reader_.model().trackName(track);
    const std::optional<NameEntry> entry =
        dialog_.run(disc ? IDS_DISC_NAME_CAPTION : IDS_TRACK_NAME_CAPTION, name);
    if (!entry) return;
    // A refused request ends the change: the next status shows what became of the card.
    if (!link_.WriteName(kind, static_cast<std::uint32_t>(track), entry->disc)) return;
    pendingDisc_ = disc;
    pendingTrack_ = disc ? 0 : track;
    host_.setTimer(window_, TIMER_NAME_WRITE_TIMEOUT, kNameWriteTimeoutMs);
    waitBox_.run();
}

void NameChange::written(WParam result) {
    host_.killTimer(window_, TIMER_NAME_WRITE_TIMEOUT);
    if (pendingDisc_) {
        pendingDisc_ = false;
        reader_.forgetDiscName();
    }
    if (pendingTrack_ != 0) {
        reader_.forgetTrackName(pendingTrack_);
        pendingTrack_ = 0;
    }
    waitBox_.close();
    if (result != 0) host_.messageBoxId(IDS_CANT_CHANGE_TEXT, Buttons::Ok, Icon::Stop);
}

void NameChange::timedOut() {
    host_.killTimer(window_, TIMER_NAME_WRITE_TIMEOUT);
    if (!writePending()) return;
    pendingDisc_ = false;
    pendingTrack_ = 0;
    waitBox_.close();
    host_.messageBoxId(link::IDS_TIMEOUT, Buttons::Ok, Icon::Stop);
}

}  // namespace tovik::disc
