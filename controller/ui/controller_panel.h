#pragma once
// The behaviour of Rotela's main panel: start-up of the link, the status poll with its time-out
// and retries, the panel's buttons as unit commands, status processing through the state table,
// the audio controls, the keys and system commands the panel takes, its screen position, and
// shutdown. The widgets paint what it says (PanelView) and place the window (PanelPlacement);
// the disc model plugs in through PanelHooks. Only ports: everything runs on the fake host in
// tests.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cardsim/card_device.h"
#include "controller/disc/name_edit_requests.h"
#include "controller/link/button_state.h"
#include "controller/link/md_comm_wnd.h"
#include "controller/link/md_status.h"
#include "controller/ui/button_messages.h"
#include "controller/ui/panel_audio.h"
#include "controller/ui/panel_controls.h"
#include "controller/ui/panel_placement.h"
#include "platform/host.h"

namespace tovik::ui {


// Timers on the panel's window.
enum PanelTimer : unsigned {
    TIMER_POLL = 1,
    TIMER_CYCLE_RESTART = 2,
    TIMER_NAME_RETRY = 3,
    TIMER_STATUS_TIMEOUT = 9,
    TIMER_READ_TIMEOUT = 10,
    TIMER_WRITE_TIMEOUT = disc::TIMER_NAME_WRITE_TIMEOUT,
    TIMER_LABEL_EDITOR = 20,
    TIMER_MIXER = 30,
};

constexpr unsigned kStatusTimeoutMs = 50000;
constexpr unsigned kTrackStepPollMs = 300;
constexpr unsigned kLabelEditorCheckMs = 500;
constexpr const char* kLabelEditorClass = "Sleevon";

// One command of a popup menu, as the panel's window shows it.
struct PopupMenuItem {
    unsigned id;
    std::string text;  // UTF-8
    bool enabled;
};

// A popup opens this far right of its anchor control's right edge, level with its top edge.
constexpr int kPopupOffsetX = 5;

// What the panel's window shows. Every call comes after the panel's state has changed.
class PanelView {
public:
    virtual ~PanelView() = default;
    // Every status that reaches the panel, failed or not (the display's update).
    virtual void statusChanged(const link::MdStatus&, bool /*failed*/) {}
    // Control enabling or the ACCESS / MD logo images may have changed.
    virtual void controlsChanged(const link::ButtonState&) {}
    virtual void levelsChanged(int /*left*/, int /*right*/) {}
    virtual void sliderChanged(int /*position*/) {}
    // The whole panel is disabled while the label editor's window exists.
    virtual void panelEnabled(bool) {}
    virtual void panelEnded(int /*result*/) {}
    // The About box (a system command 0x10-0x1F) and the help page (QUESTION).
    virtual void aboutRequested() {}
    virtual void helpRequested() {}
    // The wait cursor while the label file is written.
    virtual void waitCursor(bool /*on*/) {}
    // Shows or hides one control by id (the editing popup's confirmation mode swaps the
    // transport for OK and CANCEL).
    virtual void controlShown(int /*controlId*/, bool /*shown*/) {}
    // The display's message line (UTF-8); an empty text clears it.
    virtual void displayMessage(const std::string& /*text*/) {}
    // Shows a popup menu kPopupOffsetX pixels right of the anchor control's right edge, level
    // with its top edge, tracked with either mouse button; the chosen item's id, 0 for none.
    virtual unsigned popupMenu(const std::vector<PopupMenuItem>& /*items*/, int /*anchorControl*/) {
        return 0;
    }
};

// Keys the panel looks at before its controls see them (key-down or system-key-down).
enum class PanelKey { Enter, Escape, F4, Other };

// System commands 0x10-0x1F open the About box.
constexpr unsigned kAboutCommandFirst = 0x10;
constexpr unsigned kAboutCommandLast = 0x1F;

// Where the disc model (name reads, the read cycle, name edits) joins the panel. The defaults
// are a panel without one.
class PanelHooks {
public:
    virtual ~PanelHooks() = default;
    // While a name read is on its way the poll runs every 200 ms.
    virtual bool nameReadOutstanding() const { return false; }
    // The disc's track count as the cache knows it; the poll alternates status and levels only
    // when the disc has tracks.
    virtual int trackCount(const link::MdStatus& status) const { return status.totalTracks; }
    // Every successful area-A status (0x901 with wParam 0): the track count update.
    virtual void areaAStatus(const link::MdStatus&) {}
    // An area-A answer while a read cycle waits for the track count; true when the cycle took it.
    virtual bool readCycleTakes(WParam /*result*/) { return false; }
    // A failed status answer: end the name dialog, clear the cache.
    virtual void statusFailed() {}
    // After a classified status: the on-demand name reads. True when a read was started; the
    // poll then stays stopped until its answer.
    virtual bool afterStatus(const link::MdStatus&) { return false; }
    // Messages and timers the panel does not handle itself (0x900, 0xC00, 0xD00, 0xD01, timers
    // 2, 3, 10, 11); true when handled.
    virtual bool handle(Msg, WParam, LParam) { return false; }
    // A click on a control that sends no unit command (SLEEVON starts the read cycle); true
    // when handled.
    virtual bool click(int /*controlId*/) { return false; }
};

class ControllerPanel : public MessageTarget {
public:
    ControllerPanel(Host& host, card::CardDriver& driver);
    ~ControllerPanel();
    ControllerPanel(const ControllerPanel&) = delete;
    ControllerPanel& operator=(const ControllerPanel&) = delete;

    void setView(PanelView* view) { view_ = view ? view : &noView_; }
    void setHooks(PanelHooks* hooks) { hooks_ = hooks ? hooks : &noHooks_; }
    // The window that places the panel on screen. It must outlive shutdown(), which saves the
    // position; without one the panel keeps no position.
    void setPlacement(PanelPlacement* placement) { placement_ = placement; }
    // The PC's audio outputs and drivers for INIT; without them INIT does nothing.
    void setAudioDevices(AudioDevices* devices) { audio_.setAudioDevices(devices); }

    // Opens the link and asks for the model; false (after its message) when the panel has ended.
    bool initialise();
    // initialise, the panel's modal loop, shutdown; returns the panel's result.
    int run();
    // Stops the poll and its timers, sends the closing command, closes the link and saves the
    // window's position. Once.
    void shutdown();
    // Ends the panel's modal loop with the result; later messages are ignored.
    void end(int result);

    // A click on a panel button (control id); the buttons' WM_COMMAND arrives here too.
    void click(int controlId);
    // Every scroll notification of the volume slider, with the thumb's position.
    void sliderScrolled(int position);
    // A key on its way to the panel's controls; true when the panel took it (Enter and Escape
    // always, Alt+F4), and the control must not see it.
    bool keyDown(PanelKey key, bool altDown);
    // A system command (WM_SYSCOMMAND id); true when the panel took it, false for the default.
    bool systemCommand(unsigned id);
    // Confirmation mode shows OK and CANCEL (through the view); Enter and Escape then press
    // them.
    void setEditButtonsShown(bool shown) { editButtons_ = shown; }
    bool editButtonsShown() const { return editButtons_; }

    // Poll control: interval 0 lets pollInterval() choose.
    void startPoll(unsigned intervalMs = 0);
    void stopPoll();
    unsigned pollInterval() const;

    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override;

    // --- state, for the view and the tests ---
    Handle window() const { return window_; }
    link::CMdCommWnd& link() { return link_; }
    PanelView& view() { return *view_; }
    const PanelAudio& audio() const { return audio_; }
    const link::MdStatus& status() const { return status_; }
    const link::ButtonState& buttons() const { return buttons_; }
    // The row chosen by the last processed status; empty after a mode-6 status or none yet.
    std::optional<int> lastRow() const { return lastRow_; }
    unsigned pollValue() const { return pollN_; }
    int pollCounter() const { return pollCounter_; }
    bool statusOutstanding() const { return statusOutstanding_; }
    bool trackStepRequested() const { return trackStep_; }
    bool lastStatusFailed() const { return lastFailed_; }
    int leftLevel() const { return levels_[0]; }
    int rightLevel() const { return levels_[1]; }
    int sliderPosition() const { return audio_.sliderPosition(); }
    bool enabled() const { return enabled_; }
    bool ended() const { return ended_; }
    int result() const { return result_; }

private:
    bool fail(unsigned messageId);
    void labelEditorCheck();
    bool startTimerWithRetry(unsigned id, unsigned periodMs);
    void pollTick();
    void statusTimeout();
    void labelEditorTimer();
    void statusAnswer(Msg msg, WParam result);
    void processStatus(bool failed);
    void sendCommand(std::uint8_t command, std::uint8_t p1 = 0);
    void setEnabled(bool enabled);

    Host& host_;
    link::CMdCommWnd link_;
    Handle window_;
    PanelAudio audio_;
    link::MdStatus status_;
    link::ButtonState buttons_;
    PanelView noView_;
    PanelHooks noHooks_;
    PanelView* view_ = &noView_;
    PanelHooks* hooks_ = &noHooks_;
    PanelPlacement* placement_ = nullptr;
    bool positionRestored_ = false;

    std::optional<int> lastRow_;
    unsigned pollN_ = 0;
    int pollCounter_ = 0;
    bool statusOutstanding_ = false;
    bool trackStep_ = false;
    bool lastFailed_ = false;
    int levels_[2] = {0, 0};
    bool editButtons_ = false;
    bool enabled_ = true;
    bool ended_ = false;
    bool shutDown_ = false;
    int result_ = 0;
};

}  // namespace tovik::ui
