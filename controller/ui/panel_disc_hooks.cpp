#include "controller/ui/panel_disc_hooks.h"

#include "controller/disc/label_hand_over.h"
#include "controller/link/md_commands.h"

namespace tovik::ui {

PanelDiscHooks::PanelDiscHooks(Host& host, ControllerPanel& panel,
                               disc::ProgressWindow& progressWindow)
    : host_(host), panel_(panel), progress_(progressWindow), reader_(host, panel.link(), model_, progress_, *this) {}

bool PanelDiscHooks::handle(Msg msg, WParam wParam, LParam lParam) {
    return reader_.handle(msg, wParam, lParam) || (editing_ && editing_->handle(msg, wParam, lParam));
}

bool PanelDiscHooks::click(int controlId) {
    if (controlId != link::IDC_SLEEVON) return editing_ && editing_->click(controlId);
    reader_.startCycle(disc::AFTER_CYCLE_LABEL_EDITOR);
    return true;
}

void PanelDiscHooks::cancelNameDialog() {
    if (onCancelNameDialog) onCancelNameDialog();
}

void PanelDiscHooks::showDiscName(const std::string& text) {
    shownDisc_ = text;
    if (display_) display_->discNameChanged(text);
}

void PanelDiscHooks::showTrackName(const std::string& text, int track) {
    shownTrack_ = text;
    if (display_) display_->trackNameChanged(text, track);
}

void PanelDiscHooks::clearTrackName() { showTrackName("", 0); }

void PanelDiscHooks::cycleSucceeded(int action) {
    if (action == disc::AFTER_CYCLE_LABEL_EDITOR) {
        if (onLabelEditor) {
            onLabelEditor();
        } else {
            disc::openLabelEditor(host_, model_, [this](bool on) { panel_.view().waitCursor(on); });
        }
    }
    if (action == disc::AFTER_CYCLE_TRACK_LIST && onTrackListEditor) onTrackListEditor();
}

}  // namespace tovik::ui
