#include "controller/disc/disc_name_reader.h"

#include <algorithm>
#include <cstring>

#include "controller/disc/md_text.h"
#include "controller/link/md_commands.h"
#include "controller/link/md_mode.h"
#include "controller/link/unit_messages.h"

namespace tovik::disc {

using link::MdStatus;

DiscNameReader::DiscNameReader(Host& host, link::CMdCommWnd& link, MdDiscModel& model,
                               ProgressDialog& progress, NameReadOwner& owner)
    : host_(host),
      link_(link),
      model_(model),
      progress_(progress),
      owner_(owner),
      language_(host.strings().language()) {}

DiscNameReader::~DiscNameReader() = default;

std::string DiscNameReader::nameText(const link::MdNameTransfer& record, Language language) {
    // The unit's length counts the terminator. It is not trusted: 0 is an empty name and
    // anything past the text field ends at its last byte.
    const std::size_t length = std::min<std::size_t>(record.length, card::kNameTextSize);
    if (length == 0) return {};
    const std::size_t chars = strnlen(record.text, length - 1);
    const MdTextResult decoded = DecodeMdText(std::string_view(record.text, chars), language);
    return decoded.text;  // on failure, what was converted before the buffer ran out
}

void DiscNameReader::clear() {
    model_.clear();
    owner_.showDiscName("");
    owner_.clearTrackName();
}

void DiscNameReader::forgetDiscName() {
    model_.discName.clear();
    model_.discNameKnown = false;
    owner_.showDiscName("");
}

void DiscNameReader::forgetTrackName(int track) {
    if (track < 1 || static_cast<std::size_t>(track) > model_.trackNames.size()) return;
    model_.forgetTrack(track);
    owner_.clearTrackName();
    model_.shownTrack = 0;
}

void DiscNameReader::forgetTracks(bool discName) {
    if (discName) {
        clear();
        return;
    }
    model_.clearTracks();
    owner_.clearTrackName();
}

// ---------------------------------------------------------------- status side

void DiscNameReader::areaAStatus(const MdStatus& status) {
    model_.updateTrackCount(status.totalTracks);
}

void DiscNameReader::statusFailed() {
    // A cycle cannot go on without the unit: it ends as after a failed status while it waits.
    if (cycleWanted()) endCycleWith(IDS_OUT_OF_ORDER, Icon::None);
    owner_.cancelNameDialog();
    clear();
}

bool DiscNameReader::afterStatus(const MdStatus& status) {
    // A cycle owns the reads; the poll stays stopped until it ends.
    if (cycleWanted()) return true;

    if (!status.unitReady() || status.noDisc()) {
        owner_.cancelNameDialog();
        clear();
        return false;
    }
    const int current = status.currentTrack;
    if (current != model_.shownTrack) {
        owner_.clearTrackName();
        model_.shownTrack = 0;
    }
    const bool hidden = status.mode == link::MODE_HIDDEN;
    if (!model_.discNameKnown && !model_.readOutstanding && !hidden) {
        if (!requestName(link::NAME_DISC, 0)) cardGone();
        return true;
    }
    if (current == 0 || current > model_.trackCount ||
        link::hidesCurrentTrackName(status.mode, status.subState)) {
        model_.shownTrack = 0;
        owner_.clearTrackName();
    } else if (model_.trackKnown(current)) {
        const std::string& name = model_.trackName(current);
        owner_.showTrackName(name.empty() ? kNoNameText : name, current);
        model_.shownTrack = current;
    } else if (!model_.readOutstanding && !hidden) {
        owner_.clearTrackName();
        model_.shownTrack = 0;
        if (!owner_.trackStepPending()) {
            if (!requestName(link::NAME_TRACK, current)) cardGone();
            return true;
        }
    }
    return false;
}

bool DiscNameReader::cycleTakesStatus(WParam result) {
    if (!cycleWanted()) return false;
    if (model_.cycleActive) return true;  // a late answer; the cycle already has its count
    if (awaitingCount_) {
        awaitingCount_ = false;
        host_.killTimer(window(), TIMER_READ_TIMEOUT);
    }
    if (result != 0) {
        endCycle(false);
        owner_.startPoll();
        host_.messageBoxId(IDS_OUT_OF_ORDER, Buttons::Ok, Icon::None);
        return true;
    }
    continueCycleStart();
    return true;
}

// ---------------------------------------------------------------- requests

bool DiscNameReader::requestName(std::uint32_t kind, int index) {
    if (!link_.ReadName(kind, static_cast<std::uint32_t>(index), 1)) return false;
    model_.readOutstanding = true;
    model_.readingDisc = kind == link::NAME_DISC;
    model_.readingTrack = kind == link::NAME_TRACK;
    host_.setTimer(window(), TIMER_READ_TIMEOUT, kReadTimeoutMs);
    return true;
}

void DiscNameReader::cardGone() {
    host_.messageBoxId(link::IDS_CARD_REMOVED, Buttons::Ok, Icon::Stop);
    owner_.endController();
}

// ---------------------------------------------------------------- the cycle

void DiscNameReader::startCycle(int action) {
    if (cycleWanted() || action == AFTER_CYCLE_NONE) return;
    owner_.stopPoll();
    model_.afterCycleAction = action;
    ++cycleSerial_;
    progress_.open(host_.strings().text(IDS_PROGRESS_TITLE),
                   host_.strings().text(IDS_PROGRESS_START_TEXT), 1);
    continueCycleStart();
}

void DiscNameReader::continueCycleStart() {
    model_.savedTrack = owner_.currentTrack();
    host_.killTimer(window(), TIMER_CYCLE_RESTART);
    if (progress_.isOpen() && progress_.takeCancel()) {
        endCycle(false);
        owner_.startPoll();
        return;
    }
    if (model_.trackCount < 0) {
        // The count comes with the status answer, which starts the cycle again. The read
        // time-out guards it, so that a lost answer cannot leave the dialog up for good.
        if (!link_.GetStatus()) {
            endCycle(false);
            cardGone();
            return;
        }
        awaitingCount_ = true;
        host_.setTimer(window(), TIMER_READ_TIMEOUT, kReadTimeoutMs);
        return;
    }
    if (model_.readOutstanding) {
        host_.setTimer(window(), TIMER_CYCLE_RESTART, kCycleRestartMs);
        return;
    }
    progress_.setSteps(model_.trackCount + 1);
    model_.retryCount = 0;
    model_.cycleActive = true;
    model_.cycleIndex = 0;
    if (!requestName(link::NAME_DISC, 0)) {
        endCycle(false);
        cardGone();
    }
}

void DiscNameReader::readNext(int index) {
    model_.retryCount = 0;
    model_.cycleIndex = index;
    if (index > model_.trackCount) {
        endCycle(true);
    } else if (!requestName(link::NAME_TRACK, index)) {
        endCycle(false);
        cardGone();
    }
}

bool DiscNameReader::stepProgress() {
    const unsigned serial = cycleSerial_;
    const int index = model_.cycleIndex;
    stepping_ = true;
    progress_.step();
    stepping_ = false;
    return serial == cycleSerial_ && model_.cycleActive && index == model_.cycleIndex;
}

void DiscNameReader::endCycle(bool success) {
    host_.killTimer(window(), TIMER_NAME_RETRY);
    host_.killTimer(window(), TIMER_CYCLE_RESTART);
    if (awaitingCount_) host_.killTimer(window(), TIMER_READ_TIMEOUT);
    progress_.close();
    const int action = model_.afterCycleAction;
    ++cycleSerial_;
    model_.cycleActive = false;
    model_.cycleIndex = -1;
    model_.afterCycleAction = AFTER_CYCLE_NONE;
    awaitingCount_ = false;
    if (success) owner_.cycleSucceeded(action);
    // Back to where the unit was; its answer restarts the poll. Without one nothing would.
    if (!link_.SendCommand(link::MDCMD_GOTO, model_.savedTrack, 0, 0, 1)) owner_.startPoll();
    owner_.cycleEnded(success);
}

void DiscNameReader::endCycleWith(unsigned messageId, Icon icon) {
    endCycle(false);
    host_.messageBoxId(messageId, Buttons::Ok, icon);
}

// ---------------------------------------------------------------- answers

bool DiscNameReader::handle(Msg msg, WParam wParam, LParam lParam) {
    if (msg == link::WM_MD_NAME_READ) {
        Answer answer{wParam, wParam == 0 ? link_.nameRecord(lParam) : std::nullopt};
        if (stepping_) {
            // Inside the progress pump: handled once the answer being handled is done.
            deferred_.push_back(std::move(answer));
            return true;
        }
        nameAnswer(answer);
        while (!deferred_.empty() && !stepping_) {
            const Answer next = std::move(deferred_.front());
            deferred_.pop_front();
            nameAnswer(next);
        }
        return true;
    }
    if (msg != WM_TIMER) return false;
    switch (wParam) {
        case TIMER_CYCLE_RESTART: cycleRestartTimer(); return true;
        case TIMER_NAME_RETRY: retryTimer(); return true;
        case TIMER_READ_TIMEOUT: readTimeout(); return true;
        default: return false;
    }
}

void DiscNameReader::nameAnswer(const Answer& answer) {
    host_.killTimer(window(), TIMER_READ_TIMEOUT);
    model_.readOutstanding = false;

    if (answer.result != 0) {
        if (!model_.cycleActive) {
            owner_.startPoll();
        } else if (++model_.retryCount <= kMaxNameRetries) {
            host_.setTimer(window(), TIMER_NAME_RETRY, kNameRetryMs);
        } else {
            endCycleWith(IDS_RETRIES_EXHAUSTED, Icon::Stop);
        }
        return;
    }
    const auto& record = answer.record;
    if (!record) {
        if (!model_.cycleActive) owner_.startPoll();
        else endCycleWith(IDS_NO_NAME_RECORD, Icon::Stop);
        return;
    }
    const std::string name = nameText(*record, language_);
    if (record->kind == link::NAME_DISC) {
        discAnswer(name);
    } else if (record->kind == link::NAME_TRACK) {
        trackAnswer(static_cast<int>(std::min<std::uint32_t>(record->index, 0x7fffffff)), name);
    } else if (!model_.cycleActive) {
        owner_.startPoll();  // no name of this disc
    } else {
        endCycleWith(IDS_OUT_OF_ORDER, Icon::None);
    }
}

void DiscNameReader::discAnswer(const std::string& name) {
    model_.readingDisc = false;
    model_.discName = name;
    model_.discNameKnown = true;
    owner_.showDiscName(name.empty() ? kNoNameText : name);
    if (!model_.cycleActive) {
        owner_.startPoll();
        return;
    }
    if (model_.cycleIndex != 0) {
        endCycleWith(IDS_OUT_OF_ORDER, Icon::None);
        return;
    }
    if (!stepProgress()) return;
    if (progress_.takeCancel()) {
        endCycle(false);
    } else if (model_.trackCount <= 0) {
        endCycle(true);
    } else {
        readNext(1);
    }
}

void DiscNameReader::trackAnswer(int track, const std::string& name) {
    model_.readingTrack = false;
    if (track >= 1 && track <= model_.trackCount) {
        if (track == owner_.currentTrack()) {
            owner_.showTrackName(name.empty() ? kNoNameText : name, track);
            model_.shownTrack = track;
        }
        model_.storeTrackName(track, name);
    }
    if (!model_.cycleActive) {
        owner_.startPoll();
        return;
    }
    if (!stepProgress()) return;
    if (progress_.takeCancel()) {
        endCycle(false);
    } else if (track == model_.cycleIndex) {
        readNext(track + 1);
    } else {
        endCycleWith(IDS_OUT_OF_ORDER, Icon::None);
    }
}

// ---------------------------------------------------------------- timers

void DiscNameReader::cycleRestartTimer() {
    host_.killTimer(window(), TIMER_CYCLE_RESTART);
    if (cycleWanted() && model_.cycleIndex == -1) continueCycleStart();
}

void DiscNameReader::retryTimer() {
    host_.killTimer(window(), TIMER_NAME_RETRY);
    if (!model_.cycleActive) return;
    const bool disc = model_.readingDisc;
    if (requestName(disc ? link::NAME_DISC : link::NAME_TRACK, disc ? 0 : model_.cycleIndex)) return;
    // A refused repeat counts as a failure too, so a card that has gone cannot keep the dialog
    // up for ever.
    if (++model_.retryCount <= kMaxNameRetries) {
        host_.setTimer(window(), TIMER_NAME_RETRY, kNameRetryMs);
    } else {
        endCycleWith(IDS_RETRIES_EXHAUSTED, Icon::Stop);
    }
}

void DiscNameReader::readTimeout() {
    host_.killTimer(window(), TIMER_READ_TIMEOUT);
    model_.readOutstanding = false;
    model_.readingDisc = false;
    model_.readingTrack = false;
    if (!model_.cycleActive && !awaitingCount_) return;  // the next status answer goes on
    endCycle(false);
    owner_.startPoll();
    host_.messageBoxId(link::IDS_TIMEOUT, Buttons::Ok, Icon::Stop);
}

}  // namespace tovik::disc
