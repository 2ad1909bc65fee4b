#pragma once
// The virtual MD unit: a deterministic model of the deck behind the card. It holds the disc,
// plays, searches, records and edits it, and writes its status in the byte layout the link
// decodes. Time moves only through advanceTo(), so the same calls at the same virtual times
// always give the same bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "cardsim/disc_image.h"
#include <nlohmann/json_fwd.hpp>

namespace tovik::card {

enum class Phase : std::uint8_t {
    NoDisc, Stopped, Paused, Playing, RecordPause, Recording, SyncStandby, TocWrite,
};
enum class Search : std::uint8_t { None, Forward, Backward };

// Unit commands (the command byte of request 5).
enum UnitCommand : std::uint8_t {
    CMD_PLAY_PAUSE = 17, CMD_STOP = 18, CMD_NEXT = 19, CMD_PREVIOUS = 20, CMD_FF = 21,
    CMD_REW = 22, CMD_TIME = 23, CMD_SYNC_REC = 24, CMD_REC = 25, CMD_REC_MODE = 26,
    CMD_AUTO_MARK = 27, CMD_CLOSE = 30, CMD_POWER = 31, CMD_ACCESS = 32, CMD_ERASE = 33,
    CMD_ERASE_ALL = 34, CMD_MOVE = 35, CMD_COMBINE = 36, CMD_DIVIDE = 37, CMD_SEARCH_END = 38,
    CMD_GO_TO = 39,
};

// Results of name transfers (wParam of 0x900).
enum NameResult : std::uint32_t { NAME_OK = 0, NAME_REFUSED = 1, NAME_BUSY = 2 };

struct UnitTimings {
    unsigned tocReadMs = 1200;       // reading the TOC after a disc, power-on or card insertion
    unsigned tocWriteMs = 1500;      // writing the TOC after recording or an edit
    unsigned syncStartMs = 3000;     // synchronised standby until the source starts
    unsigned autoMarkMs = 180'000;   // automatic marks: a new track every 3 minutes of sound
    unsigned searchSpeed = 10;       // FF/REV: ten times play speed
};

using StatusBytes = std::array<std::uint8_t, 13>;
using ModelBytes = std::array<std::uint8_t, 16>;

class VirtualUnit {
public:
    explicit VirtualUnit(UnitTimings timings = {});

    // Moves the unit's time forward (earlier times are ignored).
    void advanceTo(std::uint64_t nowMs);
    std::uint64_t now() const { return now_; }

    // What a person does to the deck and card.
    void loadDisc(Disc disc);  // ejects what is there first
    void ejectDisc();
    void removeCard();         // recording not yet in the TOC is lost
    void insertCard();
    void setPower(bool on);

    // What the driver's requests do.
    bool cardPresent() const { return cardPresent_; }
    void command(std::uint8_t code, std::uint8_t p1, std::uint8_t p2);
    void setVolume(std::uint8_t volume);  // 0-30; larger values are taken as 30
    StatusBytes status(bool withLevels) const;
    ModelBytes model() const;
    struct NameRead {
        std::uint32_t result = NAME_REFUSED;
        std::string text;
    };
    NameRead readName(std::uint32_t kind, std::uint32_t index) const;
    std::uint32_t writeName(std::uint32_t kind, std::uint32_t index, const std::string& text);

    // Inspection.
    Phase phase() const { return phase_; }
    Search search() const { return search_; }
    bool powered() const { return powered_; }
    bool pcAccess() const { return pcAccess_; }
    bool loading() const { return loadingUntil_ > now_; }
    unsigned currentTrack() const { return currentTrack_; }
    std::uint32_t positionMs() const { return positionMs_; }
    std::uint8_t volume() const { return volume_; }
    std::uint8_t error() const { return error_; }
    std::uint8_t timeDisplay() const { return timeDisplay_; }
    bool autoMark() const { return autoMark_; }
    bool mono() const { return mono_; }
    const std::optional<Disc>& disc() const { return disc_; }
    nlohmann::ordered_json toJson() const;

private:
    struct CommandRow;
    static const CommandRow* findCommand(std::uint8_t code);

    // Command handlers (p1, p2 as sent).
    void playPause(std::uint8_t, std::uint8_t);
    void stop(std::uint8_t, std::uint8_t);
    void next(std::uint8_t, std::uint8_t);
    void previous(std::uint8_t, std::uint8_t);
    void searchForward(std::uint8_t, std::uint8_t);
    void searchBackward(std::uint8_t, std::uint8_t);
    void searchEnd(std::uint8_t, std::uint8_t);
    void cycleTime(std::uint8_t, std::uint8_t);
    void syncRec(std::uint8_t, std::uint8_t);
    void rec(std::uint8_t, std::uint8_t);
    void recMode(std::uint8_t, std::uint8_t);
    void toggleAutoMark(std::uint8_t, std::uint8_t);
    void controllerClosed(std::uint8_t, std::uint8_t);
    void power(std::uint8_t, std::uint8_t);
    void access(std::uint8_t, std::uint8_t);
    void erase(std::uint8_t track, std::uint8_t);
    void eraseAll(std::uint8_t, std::uint8_t);
    void move(std::uint8_t from, std::uint8_t to);
    void combine(std::uint8_t track, std::uint8_t);
    void divide(std::uint8_t, std::uint8_t);
    void goTo(std::uint8_t track, std::uint8_t);

    unsigned trackCount() const { return disc_ ? static_cast<unsigned>(disc_->tracks.size()) : 0; }
    DiscTrack& track(unsigned n) { return disc_->tracks[n - 1]; }
    const DiscTrack& track(unsigned n) const { return disc_->tracks[n - 1]; }
    bool recordingPhase() const;
    std::uint64_t freeMs() const;
    // Shared checks before recording starts; sets the error and returns false when refused.
    bool canRecord();
    bool canEdit(bool allowPlaying);
    void startRecordingTrack();
    void startTocWrite(unsigned resumeTrack);
    void finishTocWrite();
    void beginLoading();
    void stopAtStart();
    void trackEnded();
    void powerOff();
    std::uint8_t operationCode() const;
    std::uint32_t displayedTimeMs() const;
    std::uint8_t level(bool right) const;

    UnitTimings timings_;
    std::uint64_t now_ = 0;
    bool cardPresent_ = true;
    bool powered_ = true;
    bool pcAccess_ = true;
    std::uint64_t loadingUntil_ = 0;
    std::optional<Disc> disc_;
    Disc savedDisc_;  // the disc as its TOC was last written
    Phase phase_ = Phase::NoDisc;
    Search search_ = Search::None;
    unsigned currentTrack_ = 0;
    std::uint32_t positionMs_ = 0;
    std::uint8_t timeDisplay_ = 0;
    bool autoMark_ = false;
    bool mono_ = false;
    std::uint8_t volume_ = 20;
    std::uint8_t error_ = 0;
    bool unsaved_ = false;          // recorded since the TOC was last written
    std::uint64_t busyUntil_ = 0;
    unsigned resumeTrack_ = 0;      // current track when the TOC write ends
    bool powerOffAfterWrite_ = false;
    std::uint64_t syncStartAt_ = 0;
    std::uint64_t sinceMarkMs_ = 0;
};

const char* phaseName(Phase phase);

}  // namespace tovik::card
