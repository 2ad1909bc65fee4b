#pragma once
// A name change started from the main panel's display: a double click on the disc name box
// (0xD00) or on the track name box (0xD01) opens the name dialog; OK writes the name, and the
// wait box shows until the unit answers (0xC00) or timer 11 gives up after 50 seconds. The name
// written is then forgotten, so that the next status reads it back from the disc.

#include "controller/disc/disc_name_reader.h"
#include "controller/disc/name_edit_requests.h"
#include "controller/disc/name_dialog.h"
#include "controller/disc/wait_box.h"
#include "controller/link/button_state.h"
#include "controller/link/md_comm_wnd.h"
#include "controller/link/md_status.h"
#include "platform/host.h"

namespace tovik::disc {

class NameChange {
public:
    // window: the panel's; status and buttons: the last status and the row in force.
    NameChange(Host& host, link::CMdCommWnd& link, Handle window, const link::MdStatus& status,
               const link::ButtonState& buttons, DiscNameReader& reader, NameDialog& dialog,
               WaitBox& waitBox);

    // Whether the state in force allows editing the disc name or the current track's.
    bool discNameEditable() const;
    bool trackNameEditable() const;

    // 0xD00, 0xD01, 0xC00 and timer 11; true when handled.
    bool handle(Msg msg, WParam wParam, LParam lParam);

    bool writePending() const { return pendingDisc_ || pendingTrack_ != 0; }

private:
    void edit(std::uint32_t kind, int track);
    void written(WParam result);
    void timedOut();

    Host& host_;
    link::CMdCommWnd& link_;
    Handle window_;
    const link::MdStatus& status_;
    const link::ButtonState& buttons_;
    DiscNameReader& reader_;
    NameDialog& dialog_;
    WaitBox& waitBox_;
    bool pendingDisc_ = false;
    int pendingTrack_ = 0;  // the track whose name is being written; 0 = none
};

}  // namespace tovik::disc
