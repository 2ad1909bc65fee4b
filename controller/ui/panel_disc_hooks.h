#pragma once
// The disc cache joined to the panel: the track count from each area-A status, the on-demand
// name reads after each status, the name answers (0x900), and the full read cycle that the
// SLEEVON button (and the editing popup's "Edit Track...") start. What the cycle was started for
// is left to callbacks: opening the label editor (action 1) and the track list editor (action 2).

#include <functional>
#include <string>

#include "controller/disc/disc_name_reader.h"
#include "controller/disc/md_disc_model.h"
#include "controller/disc/progress_dialog.h"
#include "controller/ui/controller_panel.h"

namespace tovik::ui {

// The display's two name boxes; the display panel implements it.
class NameDisplay {
public:
    virtual ~NameDisplay() = default;
    virtual void discNameChanged(const std::string& displayText) = 0;
    // track 0 with an empty text: the box is emptied.
    virtual void trackNameChanged(const std::string& displayText, int track) = 0;
};

// The disc's editing joined to the panel (name changes, the editing popup): it sees the
// messages and clicks the name reads leave alone.
class PanelEditingHooks {
public:
    virtual ~PanelEditingHooks() = default;
    virtual bool handle(Msg msg, WParam wParam, LParam lParam) = 0;
    virtual bool click(int controlId) = 0;
};

class PanelDiscHooks : public PanelHooks, private disc::NameReadOwner {
public:
    PanelDiscHooks(Host& host, ControllerPanel& panel, disc::ProgressWindow& progressWindow);

    void setDisplay(NameDisplay* display) { display_ = display; }
    void setEditing(PanelEditingHooks* editing) { editing_ = editing; }
    // What a successful cycle does. Without onLabelEditor the label file is written in the
    // current folder and the label editor started on it.
    std::function<void()> onLabelEditor;
    std::function<void()> onTrackListEditor;
    // The end of a name dialog when the unit or its disc goes away.
    std::function<void()> onCancelNameDialog;

    // UP or DOWN is held down: the current track's name is not read meanwhile.
    void setStepButtonHeld(bool held) { stepHeld_ = held; }
    // The full read cycle with its after-cycle action (disc::AfterCycleAction).
    void startReadCycle(int action) { reader_.startCycle(action); }

    const disc::MdDiscModel& model() const { return model_; }
    disc::MdDiscModel& model() { return model_; }
    disc::DiscNameReader& reader() { return reader_; }
    const disc::ProgressDialog& progress() const { return progress_; }
    disc::ProgressDialog& progress() { return progress_; }
    // What the display's name boxes show now.
    const std::string& shownDiscName() const { return shownDisc_; }
    const std::string& shownTrackName() const { return shownTrack_; }

    // --- PanelHooks ---
    bool nameReadOutstanding() const override { return model_.readOutstanding; }
    int trackCount(const link::MdStatus&) const override { return model_.trackCount; }
    void areaAStatus(const link::MdStatus& status) override { reader_.areaAStatus(status); }
    bool readCycleTakes(WParam result) override { return reader_.cycleTakesStatus(result); }
    void statusFailed() override { reader_.statusFailed(); }
    bool afterStatus(const link::MdStatus& status) override { return reader_.afterStatus(status); }
    bool handle(Msg msg, WParam wParam, LParam lParam) override;
    bool click(int controlId) override;

private:
    // --- NameReadOwner ---
    Handle window() const override { return panel_.window(); }
    void startPoll() override { panel_.startPoll(); }
    void stopPoll() override { panel_.stopPoll(); }
    void endController() override { panel_.end(0); }
    std::uint8_t currentTrack() const override { return panel_.status().currentTrack; }
    bool trackStepPending() const override { return stepHeld_ || panel_.trackStepRequested(); }
    void cancelNameDialog() override;
    void showDiscName(const std::string& text) override;
    void showTrackName(const std::string& text, int track) override;
    void clearTrackName() override;
    void cycleSucceeded(int action) override;

    Host& host_;
    ControllerPanel& panel_;
    disc::MdDiscModel model_;
    disc::ProgressDialog progress_;
    disc::DiscNameReader reader_;
    NameDisplay* display_ = nullptr;
    PanelEditingHooks* editing_ = nullptr;
    bool stepHeld_ = false;
    std::string shownDisc_;
    std::string shownTrack_;
};

}  // namespace tovik::ui
