#pragma once
// Name reads of the disc cache: the disc name and the current track's name read on demand after
// each status, and the full read cycle over the whole disc (disc name, then track 1 .. count)
// with its progress dialog, retries and time-outs. Runs on the owner's window: the name answers
// (0x900) and timers 2, 3 and 10 arrive through handle().
//
// The owner is the panel in Rotela and the names runner in mdctl; it restarts and stops its
// status poll, shows the names, and does what the cycle was started for.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "controller/disc/md_disc_model.h"
#include "controller/disc/progress_dialog.h"
#include "controller/link/md_comm_wnd.h"
#include "controller/link/md_status.h"
#include "platform/host.h"

namespace tovik::disc {

// Timers on the owner's window.
enum NameReadTimer : unsigned {
    TIMER_CYCLE_RESTART = 2,  // 500 ms: try the cycle start again once no read is outstanding
    TIMER_NAME_RETRY = 3,     // 1000 ms: repeat a read that failed in the cycle
    TIMER_READ_TIMEOUT = 10,  // 50000 ms: guard of each name read
};
constexpr unsigned kCycleRestartMs = 500;
constexpr unsigned kNameRetryMs = 1000;
constexpr unsigned kReadTimeoutMs = 50000;
constexpr int kMaxNameRetries = 5;  // the sixth failure in a row ends the cycle

// Messages of the read cycle (Rotela's string table).
enum NameReadMessageId : unsigned {
    IDS_RETRIES_EXHAUSTED = 57683,  // "Communicasion error!"
    IDS_NO_NAME_RECORD = 57684,     // "MD Communication error"
    IDS_OUT_OF_ORDER = 57686,       // "Communication error\nPlease Retry!" (no icon)
};

// What the display shows for a name that has been read but is empty.
constexpr const char* kNoNameText = "NO NAME";

class NameReadOwner {
public:
    virtual ~NameReadOwner() = default;
    virtual Handle window() const = 0;
    virtual void startPoll() = 0;
    virtual void stopPoll() = 0;
    // The card is gone: "PC Card removed!\nExit MD controller." has been shown.
    virtual void endController() = 0;
    // The current track as the last status gave it.
    virtual std::uint8_t currentTrack() const = 0;
    // UP or DOWN held down, or a track step waiting for its status: no track name is read.
    virtual bool trackStepPending() const { return false; }
    // The unit or its disc went away: the name dialog, if open, is cancelled.
    virtual void cancelNameDialog() {}
    // The display: "" empties a name box; a name read but empty comes as kNoNameText.
    virtual void showDiscName(const std::string& /*displayText*/) {}
    virtual void showTrackName(const std::string& /*displayText*/, int /*track*/) {}
    virtual void clearTrackName() {}
    // The cycle read every name; action is what it was started for (AfterCycleAction).
    virtual void cycleSucceeded(int /*action*/) {}
    // Every end of a cycle, after the unit has been sent back to the saved track.
    virtual void cycleEnded(bool /*success*/) {}
};

class DiscNameReader {
public:
    DiscNameReader(Host& host, link::CMdCommWnd& link, MdDiscModel& model,
                   ProgressDialog& progress, NameReadOwner& owner);
    ~DiscNameReader();
    DiscNameReader(const DiscNameReader&) = delete;
    DiscNameReader& operator=(const DiscNameReader&) = delete;

    // --- the status side ---
    // Every successful area-A status: the track count.
    void areaAStatus(const link::MdStatus& status);
    // A failed status answer: the name dialog ends and the cache is dropped.
    void statusFailed();
    // The on-demand reads after a classified status. True when the poll must stay stopped (a
    // read was started, or a read cycle is on its way); false: the owner restarts it.
    bool afterStatus(const link::MdStatus& status);
    // An area-A answer while a cycle is wanted; true when the cycle took it.
    bool cycleTakesStatus(WParam result);

    // --- the full read cycle ---
    // Stops the poll, opens the progress dialog and starts reading. Ignored while a cycle is
    // wanted already.
    void startCycle(int action);
    bool cycleWanted() const { return model_.afterCycleAction != AFTER_CYCLE_NONE; }

    // 0x900 and timers 2, 3 and 10; true when handled.
    bool handle(Msg msg, WParam wParam, LParam lParam);

    // Drops the cache and empties the display's names.
    void clear();
    // After a name write: the name is emptied here and on the display, and read again with the
    // next status.
    void forgetDiscName();
    void forgetTrackName(int track);
    // After an edit of the table of contents: every track (and with discName the disc name too)
    // is forgotten and read again.
    void forgetTracks(bool discName);

    // Display form of a completed read record: the length field is held to 1..2048, so the
    // terminator always stays inside the text; a length of 0 gives an empty name.
    static std::string nameText(const link::MdNameTransfer& record, Language language);

    const MdDiscModel& model() const { return model_; }

private:
    // A name answer with the record as it was when the answer came: the record's memory is
    // reused by the next read.
    struct Answer {
        WParam result;
        std::optional<link::MdNameTransfer> record;
    };

    Handle window() const { return owner_.window(); }
    bool requestName(std::uint32_t kind, int index);
    void cardGone();
    void continueCycleStart();
    void nameAnswer(const Answer& answer);
    void discAnswer(const std::string& name);
    void trackAnswer(int track, const std::string& name);
    void readNext(int index);
    // Steps the progress bar; false when the cycle ended or moved on while messages were handled.
    bool stepProgress();
    void endCycle(bool success);
    void endCycleWith(unsigned messageId, Icon icon);
    void cycleRestartTimer();
    void retryTimer();
    void readTimeout();

    Host& host_;
    link::CMdCommWnd& link_;
    MdDiscModel& model_;
    ProgressDialog& progress_;
    NameReadOwner& owner_;
    Language language_;
    bool awaitingCount_ = false;  // the cycle asked for a status to learn the track count
    bool stepping_ = false;       // inside the progress dialog's message pump
    unsigned cycleSerial_ = 0;    // changes whenever a cycle starts or ends
    std::deque<Answer> deferred_; // name answers that arrived inside the pump
};

}  // namespace tovik::disc
