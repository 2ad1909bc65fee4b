#include "controller/ui/controller_panel.h"

#include <algorithm>

#include "controller/link/md_commands.h"
#include "controller/link/md_mode.h"
#include "controller/link/unit_messages.h"

namespace tovik::ui {

using namespace tovik::link;

namespace {
constexpr unsigned kNameReadPollMs = 200;
constexpr unsigned kLevelsPollMs = 50;
constexpr unsigned kIdlePollMs = 1000;
constexpr int kPollCounterCycle = 6;      // 0..5: status at 4, levels otherwise
constexpr int kPollCounterStatusAt = 4;
}  // namespace

ControllerPanel::ControllerPanel(Host& host, card::CardDriver& driver)
    : host_(host),
      link_(host, driver),
      window_(host.createWindow(*this)),
      audio_(host, link_, window_, TIMER_MIXER) {}

ControllerPanel::~ControllerPanel() {
    shutdown();
    if (window_ != kNoWindow) host_.destroyWindow(window_);
}

bool ControllerPanel::fail(unsigned messageId) {
    host_.messageBoxId(messageId, Buttons::Ok, Icon::Stop);
    end(0);
    return false;
}

bool ControllerPanel::initialise() {
    if (!link_.Open()) return fail(IDS_DRIVER_NOT_FOUND);
    if (!link_.CardReady()) return fail(IDS_CARD_NOT_READY);
    if (!link_.Attach(window_, &status_)) return fail(IDS_DRIVER_NOT_FOUND);
    view_->sliderChanged(audio_.sliderPosition());
    view_->levelsChanged(0, 0);
    view_->controlsChanged(buttons_);
    if (placement_) {
        restorePanelPosition(host_.profile(), *placement_);
        positionRestored_ = true;
    }
    // The model answer starts the poll. Without a request nothing would ever start it: a refused
    // request means the card has gone, as for the poll's own requests.
    if (!link_.GetModel()) return fail(IDS_CARD_REMOVED);
    return true;
}

int ControllerPanel::run() {
    if (initialise()) host_.runModal(window_);  // ends only through end()
    shutdown();
    return result_;
}

void ControllerPanel::end(int result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
    host_.killTimer(window_, TIMER_POLL);
    host_.killTimer(window_, TIMER_STATUS_TIMEOUT);
    host_.endModal(window_, result);
    view_->panelEnded(result);
}

void ControllerPanel::shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    if (window_ != kNoWindow) {
        stopPoll();
        for (unsigned id : {TIMER_CYCLE_RESTART, TIMER_STATUS_TIMEOUT, TIMER_READ_TIMEOUT})
            host_.killTimer(window_, id);
    }
    link_.SendCommand(MDCMD_CLOSE, 0, 0, 0, 1);
    link_.Close();
    // A panel that never got placed (its start failed) leaves the stored position alone.
    if (placement_ && positionRestored_) savePanelPosition(host_.profile(), *placement_);
}

// --- the poll ---

void ControllerPanel::labelEditorCheck() {
    if (!host_.windowRegistry().findWindow(std::string(kLabelEditorClass), std::nullopt)) return;
    setEnabled(false);
    host_.setTimer(window_, TIMER_LABEL_EDITOR, kLabelEditorCheckMs);
}

void ControllerPanel::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    view_->panelEnabled(enabled);
}

unsigned ControllerPanel::pollInterval() const {
    if (hooks_->nameReadOutstanding()) return kNameReadPollMs;
    if (status_.mode == MODE_LEVELS) return kLevelsPollMs;
    if (pollN_ != 0) {
        const unsigned period = pollN_ * 100;
        const bool fast = pollCounter_ == 4 || pollCounter_ == 5;
        return fast ? period / 2 : period;
    }
    return kIdlePollMs;
}

bool ControllerPanel::startTimerWithRetry(unsigned id, unsigned periodMs) {
    while (!host_.setTimer(window_, id, periodMs)) {
        if (host_.messageBoxId(IDS_TIMER_FULL, Buttons::RetryCancel, Icon::Stop) != IDRETRY) {
            end(0);
            return false;
        }
    }
    return true;
}

void ControllerPanel::startPoll(unsigned intervalMs) {
    if (ended_) return;
    labelEditorCheck();
    startTimerWithRetry(TIMER_POLL, intervalMs ? intervalMs : pollInterval());
}

void ControllerPanel::stopPoll() {
    labelEditorCheck();
    host_.killTimer(window_, TIMER_POLL);
    host_.killTimer(window_, TIMER_STATUS_TIMEOUT);
}

void ControllerPanel::pollTick() {
    stopPoll();
    bool sent;
    if (trackStep_) {
        trackStep_ = false;
        sent = link_.GetStatus();
    } else if (status_.mode == MODE_LEVELS) {
        sent = link_.GetMeterStatus();
    } else if (pollN_ != 0 && hooks_->trackCount(status_) > 0) {
        sent = pollCounter_ == kPollCounterStatusAt ? link_.GetStatus() : link_.GetMeterStatus();
        pollCounter_ = (pollCounter_ + 1) % kPollCounterCycle;
    } else {
        pollCounter_ = 0;
        sent = link_.GetStatus();
    }
    if (!sent) {
        fail(IDS_CARD_REMOVED);
        return;
    }
    statusOutstanding_ = true;
    host_.setTimer(window_, TIMER_STATUS_TIMEOUT, kStatusTimeoutMs);
}

void ControllerPanel::statusTimeout() {
    host_.killTimer(window_, TIMER_STATUS_TIMEOUT);
    if (!statusOutstanding_) return;
    statusOutstanding_ = false;  // a late answer is still welcome, but no longer awaited
    stopPoll();
    startPoll();
    host_.messageBoxId(IDS_TIMEOUT, Buttons::Ok, Icon::Stop);
}

void ControllerPanel::labelEditorTimer() {
    if (host_.windowRegistry().findWindow(std::string(kLabelEditorClass), std::nullopt)) return;
    host_.killTimer(window_, TIMER_LABEL_EDITOR);
    setEnabled(true);
    startPoll();
}

// --- status answers ---

void ControllerPanel::statusAnswer(Msg msg, WParam result) {
    if (msg == WM_MD_STATUS_A) {
        statusOutstanding_ = false;
        host_.killTimer(window_, TIMER_STATUS_TIMEOUT);
        if (result == 0) hooks_->areaAStatus(status_);
        if (hooks_->readCycleTakes(result)) return;
    }
    processStatus(result != 0);
}

void ControllerPanel::processStatus(bool failed) {
    statusOutstanding_ = false;
    host_.killTimer(window_, TIMER_STATUS_TIMEOUT);
    lastFailed_ = failed;
    view_->statusChanged(status_, failed);
    if (failed) {
        hooks_->statusFailed();
        startPoll();
        return;
    }

    lastRow_ = buttons_.apply(status_);
    pollN_ = buttons_.pollN();
    view_->controlsChanged(buttons_);

    const bool levels = pollN_ != 0 || status_.mode == MODE_LEVELS;
    const int left = levels ? status_.leftLevel : 0, right = levels ? status_.rightLevel : 0;
    if (left != levels_[0] || right != levels_[1]) {
        levels_[0] = left;
        levels_[1] = right;
        view_->levelsChanged(left, right);
    }

    if (audio_.followUnit(status_.volume)) view_->sliderChanged(audio_.sliderPosition());

    if (!hooks_->afterStatus(status_)) startPoll();
}

// --- input ---

void ControllerPanel::sendCommand(std::uint8_t command, std::uint8_t p1) {
    // A refused command is not reported: the next status shows what the unit did.
    const CommandInfo* info = findCommand(command);
    link_.SendCommand(command, p1, 0, 0, info ? info->selector : 1);
}

void ControllerPanel::click(int controlId) {
    if (ended_) return;
    switch (controlId) {
        case IDC_CLOSE: end(0); return;
        case IDC_MIN:
            if (placement_) placement_->minimise();
            return;
        case IDC_QUESTION: view_->helpRequested(); return;
        case IDC_MIXER: audio_.showMixer(); return;
        case IDC_INIT: audio_.volumeDefault(); return;
        case IDC_VUP:
        case IDC_VDOWN:
            controlId == IDC_VUP ? audio_.stepUp() : audio_.stepDown();
            view_->sliderChanged(audio_.sliderPosition());
            return;
        default: break;
    }
    if (hooks_->click(controlId)) return;
    const CommandInfo* command = commandForControl(controlId);
    if (!command) return;
    sendCommand(command->code);
    if ((command->code == MDCMD_PLAY || command->code == MDCMD_STOP) && pollN_ != 0)
        link_.GetStatus();
}

void ControllerPanel::sliderScrolled(int position) {
    if (ended_) return;
    audio_.sliderScrolled(position);
    if (audio_.sliderPosition() != position) view_->sliderChanged(audio_.sliderPosition());
}

bool ControllerPanel::keyDown(PanelKey key, bool altDown) {
    switch (key) {
        case PanelKey::Enter:
        case PanelKey::Escape:
            // Swallowed even while OK and CANCEL are hidden: a dialog's default buttons must
            // not close the panel.
            if (editButtons_) click(key == PanelKey::Enter ? IDC_OK : IDC_CANCEL);
            return true;
        case PanelKey::F4:
            if (!altDown) return false;
            end(0);
            return true;
        case PanelKey::Other: break;
    }
    return false;
}

bool ControllerPanel::systemCommand(unsigned id) {
    if (id < kAboutCommandFirst || id > kAboutCommandLast) return false;
    view_->aboutRequested();
    return true;
}

LResult ControllerPanel::onMessage(Msg msg, WParam wParam, LParam lParam) {
    if (ended_) return 0;
    switch (msg) {
        case WM_TIMER:
            switch (wParam) {
                case TIMER_STATUS_TIMEOUT: statusTimeout(); break;
                case TIMER_LABEL_EDITOR: labelEditorTimer(); break;
                case TIMER_MIXER: audio_.mixerGuardEnded(); break;
                case TIMER_CYCLE_RESTART:
                case TIMER_NAME_RETRY:
                case TIMER_READ_TIMEOUT:
                case TIMER_WRITE_TIMEOUT:
                    if (!hooks_->handle(msg, wParam, lParam)) host_.killTimer(window_, wParam);
                    break;
                default: pollTick(); break;  // timer 1, and any id nobody else owns
            }
            return 0;
        case WM_MD_STATUS_A:
        case WM_MD_STATUS_B:
            statusAnswer(msg, wParam);
            return 0;
        case WM_MD_MODEL:
            startPoll();  // whatever the model
            return 0;
        case WM_COMMAND:  // a button's click or repeat (wParam: its id)
            click(static_cast<int>(wParam & 0xFFFF));
            return 0;
        case WM_BUTTON_LATCHED:
        case WM_BUTTON_UNLATCHED:
            if (auto command = latchCommand(static_cast<int>(wParam), msg == WM_BUTTON_LATCHED))
                sendCommand(*command);
            return 0;
        case WM_BUTTON_RELEASED:
            if (wParam == IDC_UP || wParam == IDC_DOWN) {
                stopPoll();
                startPoll(kTrackStepPollMs);
                trackStep_ = true;
            }
            return 0;
        default:
            hooks_->handle(msg, wParam, lParam);
            return 0;
    }
}

}  // namespace tovik::ui
