#include "cardsim/virtual_unit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>

#include "cardsim/card_device.h"
#include "cardsim/status_layout.h"
#include "platform/json.h"

namespace tovik::card {

using namespace status;

namespace {

// Phase, its name in the state report, and the operation code the unit reports for it.
struct PhaseRow {
    Phase phase;
    const char* name;
    std::uint8_t operation;
};
constexpr PhaseRow kPhases[] = {
    {Phase::NoDisc, "no disc", 0x00},              // mode 0
    {Phase::Stopped, "stopped", 0x20},             // mode 2
    {Phase::Paused, "paused", 0x40},               // mode 4
    {Phase::Playing, "playing", 0x50},             // mode 5
    {Phase::RecordPause, "recording pause", 0x76}, // mode 7
    {Phase::Recording, "recording", 0x7E},         // mode 9
    {Phase::SyncStandby, "sync standby", 0x96},    // mode 16
    {Phase::TocWrite, "writing TOC", 0x10},        // mode 17
};

const PhaseRow& phaseRow(Phase p) {
    for (const auto& row : kPhases)
        if (row.phase == p) return row;
    return kPhases[0];
}

// TIME steps through these display modes: elapsed track time; time left in the track (REMAIN);
// recordable time left on the disc (TOTAL and REMAIN); total play time with the track count
// (TOTAL).
constexpr std::uint8_t kTimeDisplays[] = {0, 3, 2, 6};

constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint32_t kMinRecordMs = 1000;  // less free space than this is a full disc
constexpr std::uint32_t kRestartWindowMs = 2000;  // DOWN later than this restarts the track

}  // namespace

const char* phaseName(Phase phase) { return phaseRow(phase).name; }

struct VirtualUnit::CommandRow {
    std::uint8_t code;
    const char* name;
    void (VirtualUnit::*handler)(std::uint8_t, std::uint8_t);
};

const VirtualUnit::CommandRow* VirtualUnit::findCommand(std::uint8_t code) {
    static const CommandRow kCommands[] = {
        {CMD_PLAY_PAUSE, "play/pause", &VirtualUnit::playPause},
        {CMD_STOP, "stop", &VirtualUnit::stop},
        {CMD_NEXT, "next track", &VirtualUnit::next},
        {CMD_PREVIOUS, "previous track", &VirtualUnit::previous},
        {CMD_FF, "search forward", &VirtualUnit::searchForward},
        {CMD_REW, "search backward", &VirtualUnit::searchBackward},
        {CMD_TIME, "time display", &VirtualUnit::cycleTime},
        {CMD_SYNC_REC, "synchronised recording", &VirtualUnit::syncRec},
        {CMD_REC, "recording", &VirtualUnit::rec},
        {CMD_REC_MODE, "recording mode", &VirtualUnit::recMode},
        {CMD_AUTO_MARK, "automatic marks", &VirtualUnit::toggleAutoMark},
        {CMD_CLOSE, "controller closes", &VirtualUnit::controllerClosed},
        {CMD_POWER, "audio power", &VirtualUnit::power},
        {CMD_ACCESS, "PC access", &VirtualUnit::access},
        {CMD_ERASE, "erase track", &VirtualUnit::erase},
        {CMD_ERASE_ALL, "erase all", &VirtualUnit::eraseAll},
        {CMD_MOVE, "move track", &VirtualUnit::move},
        {CMD_COMBINE, "combine tracks", &VirtualUnit::combine},
        {CMD_DIVIDE, "divide track", &VirtualUnit::divide},
        {CMD_SEARCH_END, "search end", &VirtualUnit::searchEnd},
        {CMD_GO_TO, "go to track", &VirtualUnit::goTo},
    };
    for (const auto& row : kCommands)
        if (row.code == code) return &row;
    return nullptr;
}

VirtualUnit::VirtualUnit(UnitTimings timings) : timings_(timings) {}

// ---------------------------------------------------------------------------------------------
// Time

void VirtualUnit::advanceTo(std::uint64_t t) {
    while (now_ < t) {
        const std::uint64_t dt = t - now_;
        if (!cardPresent_ || !powered_) { now_ = t; return; }
        if (loadingUntil_ > now_) {
            if (loadingUntil_ > t) { now_ = t; return; }
            now_ = loadingUntil_;
            continue;
        }
        switch (phase_) {
        case Phase::TocWrite:
            if (busyUntil_ > t) { now_ = t; return; }
            now_ = busyUntil_;
            finishTocWrite();
            continue;
        case Phase::SyncStandby:
            if (syncStartAt_ > t) { now_ = t; return; }
            now_ = syncStartAt_;
            startRecordingTrack();
            if (phase_ == Phase::SyncStandby) phase_ = Phase::RecordPause;  // refused: wait paused
            continue;
        case Phase::Playing:
        case Phase::Paused: {
            std::int64_t rate = phase_ == Phase::Playing ? 1 : 0;
            if (search_ == Search::Forward) rate = timings_.searchSpeed;
            if (search_ == Search::Backward) rate = -static_cast<std::int64_t>(timings_.searchSpeed);
            if (rate == 0 || currentTrack_ == 0 || currentTrack_ > trackCount()) { now_ = t; return; }
            const std::uint64_t speed = static_cast<std::uint64_t>(rate > 0 ? rate : -rate);
            if (rate > 0) {
                const std::uint64_t left = track(currentTrack_).lengthMs - positionMs_;
                const std::uint64_t need = (left + speed - 1) / speed;
                if (need <= dt) { now_ += need; trackEnded(); continue; }
                positionMs_ += static_cast<std::uint32_t>(dt * speed);
                now_ = t;
                return;
            }
            const std::uint64_t need = (positionMs_ + speed - 1) / speed;
            if (need <= dt) {
                now_ += need;
                positionMs_ = 0;
                if (currentTrack_ > 1) {
                    --currentTrack_;
                    positionMs_ = track(currentTrack_).lengthMs;
                    continue;
                }
                now_ = t;  // at the start of the disc: the search waits there
                return;
            }
            positionMs_ -= static_cast<std::uint32_t>(dt * speed);
            now_ = t;
            return;
        }
        case Phase::Recording: {
            const std::uint64_t free = freeMs();
            const std::uint64_t untilFull = mono_ ? free * 2 : free;
            const std::uint64_t untilMark = autoMark_ ? timings_.autoMarkMs - std::min<std::uint64_t>(sinceMarkMs_, timings_.autoMarkMs) : kNever;
            const std::uint64_t step = std::min({dt, untilFull, untilMark});
            track(currentTrack_).lengthMs += static_cast<std::uint32_t>(step);
            sinceMarkMs_ += step;
            now_ += step;
            if (step == untilFull) {
                error_ = kErrorDiscFull;
                startTocWrite(1);
                continue;
            }
            if (step == untilMark) {
                sinceMarkMs_ = 0;
                if (trackCount() < kMaxTracks) {
                    disc_->tracks.push_back(DiscTrack{"", 0, mono_});
                    currentTrack_ = trackCount();
                }
                continue;
            }
            return;
        }
        default:
            now_ = t;
            return;
        }
    }
}

void VirtualUnit::trackEnded() {
    if (currentTrack_ < trackCount()) {
        ++currentTrack_;
        positionMs_ = 0;
        return;
    }
    stopAtStart();  // the end of the disc
}

// ---------------------------------------------------------------------------------------------
// Card, power and disc

void VirtualUnit::stopAtStart() {
    search_ = Search::None;
    phase_ = disc_ ? Phase::Stopped : Phase::NoDisc;
    currentTrack_ = trackCount() > 0 ? 1 : 0;
    positionMs_ = 0;
}

void VirtualUnit::beginLoading() {
    stopAtStart();
    if (disc_ && cardPresent_ && powered_) loadingUntil_ = now_ + timings_.tocReadMs;
}

void VirtualUnit::loadDisc(Disc disc) {
    ejectDisc();
    disc_ = std::move(disc);
    savedDisc_ = *disc_;
    beginLoading();
}

void VirtualUnit::ejectDisc() {
    // Ejecting writes the TOC first: what was recorded stays on the disc that leaves.
    disc_.reset();
    unsaved_ = false;
    powerOffAfterWrite_ = false;
    loadingUntil_ = 0;
    error_ = kErrorNone;
    stopAtStart();
}

void VirtualUnit::removeCard() {
    // The unit loses power at once: sound recorded since the last TOC write never reaches it.
    if (disc_) disc_ = savedDisc_;
    cardPresent_ = false;
    unsaved_ = false;
    powerOffAfterWrite_ = false;
    loadingUntil_ = 0;
    error_ = kErrorNone;
    stopAtStart();
}

void VirtualUnit::insertCard() {
    if (cardPresent_) return;
    cardPresent_ = true;
    powered_ = true;
    beginLoading();
}

void VirtualUnit::setPower(bool on) {
    if (on == powered_) return;
    if (on) {
        powered_ = true;
        beginLoading();
    } else {
        powerOff();
    }
}

void VirtualUnit::powerOff() {
    if (phase_ == Phase::TocWrite || (recordingPhase() && unsaved_)) {
        // A deck finishes its TOC before the power goes.
        if (phase_ != Phase::TocWrite) startTocWrite(1);
        powerOffAfterWrite_ = true;
        return;
    }
    powered_ = false;
    loadingUntil_ = 0;
    error_ = kErrorNone;
    stopAtStart();
}

// ---------------------------------------------------------------------------------------------
// Requests

void VirtualUnit::setVolume(std::uint8_t volume) { volume_ = std::min<std::uint8_t>(volume, 30); }

void VirtualUnit::command(std::uint8_t code, std::uint8_t p1, std::uint8_t p2) {
    if (!cardPresent_) return;
    if (!powered_ || loading() || phase_ == Phase::TocWrite) {
        // Only the power key works while the unit is off or busy.
        if (code == CMD_POWER) power(p1, p2);
        return;
    }
    const CommandRow* row = findCommand(code);
    if (!row) return;  // unknown commands are ignored, as the deck ignores an unknown key
    error_ = kErrorNone;  // a key press clears the error shown
    (this->*row->handler)(p1, p2);
}

bool VirtualUnit::recordingPhase() const {
    return phase_ == Phase::RecordPause || phase_ == Phase::Recording || phase_ == Phase::SyncStandby;
}

std::uint64_t VirtualUnit::freeMs() const {
    if (!disc_) return 0;
    const std::uint64_t used = disc_->usedMs();
    return used >= disc_->capacityMs() ? 0 : disc_->capacityMs() - used;
}

void VirtualUnit::playPause(std::uint8_t, std::uint8_t) {
    search_ = Search::None;
    switch (phase_) {
    case Phase::Stopped:
        if (trackCount() == 0) return;
        if (currentTrack_ == 0) currentTrack_ = 1;
        phase_ = Phase::Playing;
        break;
    case Phase::Playing: phase_ = Phase::Paused; break;
    case Phase::Paused: phase_ = Phase::Playing; break;
    case Phase::RecordPause:
    case Phase::SyncStandby: startRecordingTrack(); break;
    case Phase::Recording:
        phase_ = Phase::RecordPause;
        currentTrack_ = std::min(trackCount() + 1, kMaxTracks);
        positionMs_ = 0;
        break;
    default: break;
    }
}

void VirtualUnit::stop(std::uint8_t, std::uint8_t) {
    if (recordingPhase() && unsaved_) {
        startTocWrite(1);
        return;
    }
    stopAtStart();
}

void VirtualUnit::next(std::uint8_t, std::uint8_t) {
    if (phase_ != Phase::Stopped && phase_ != Phase::Playing && phase_ != Phase::Paused) return;
    if (currentTrack_ < trackCount()) ++currentTrack_;
    positionMs_ = 0;
}

void VirtualUnit::previous(std::uint8_t, std::uint8_t) {
    if (phase_ != Phase::Stopped && phase_ != Phase::Playing && phase_ != Phase::Paused) return;
    const bool restart = phase_ == Phase::Playing && positionMs_ >= kRestartWindowMs;
    if (!restart && currentTrack_ > 1) --currentTrack_;
    positionMs_ = 0;
}

void VirtualUnit::searchForward(std::uint8_t, std::uint8_t) {
    if (phase_ == Phase::Playing || phase_ == Phase::Paused) search_ = Search::Forward;
}

void VirtualUnit::searchBackward(std::uint8_t, std::uint8_t) {
    if (phase_ == Phase::Playing || phase_ == Phase::Paused) search_ = Search::Backward;
}

void VirtualUnit::searchEnd(std::uint8_t, std::uint8_t) { search_ = Search::None; }

void VirtualUnit::controllerClosed(std::uint8_t, std::uint8_t) {
    // The controller's FF/REV latch goes with it; everything else carries on.
    search_ = Search::None;
}

void VirtualUnit::cycleTime(std::uint8_t, std::uint8_t) {
    const auto* it = std::find(std::begin(kTimeDisplays), std::end(kTimeDisplays), timeDisplay_);
    if (it == std::end(kTimeDisplays) || ++it == std::end(kTimeDisplays)) it = std::begin(kTimeDisplays);
    timeDisplay_ = *it;
}

bool VirtualUnit::canRecord() {
    if (!disc_) return false;
    if (!disc_->recordable) { error_ = kErrorCantRec; return false; }
    if (trackCount() >= kMaxTracks) { error_ = kErrorTocFull; return false; }
    if (freeMs() < kMinRecordMs) { error_ = kErrorDiscFull; return false; }
    return true;
}

void VirtualUnit::syncRec(std::uint8_t, std::uint8_t) {
    if (phase_ != Phase::Stopped || pcAccess_ || !canRecord()) return;
    phase_ = Phase::SyncStandby;
    currentTrack_ = trackCount() + 1;
    positionMs_ = 0;
    syncStartAt_ = now_ + timings_.syncStartMs;
}

void VirtualUnit::rec(std::uint8_t, std::uint8_t) {
    if (phase_ == Phase::Recording) {
        // REC while recording marks a new track here.
        if (trackCount() >= kMaxTracks) { error_ = kErrorTocFull; return; }
        disc_->tracks.push_back(DiscTrack{"", 0, mono_});
        currentTrack_ = trackCount();
        sinceMarkMs_ = 0;
        return;
    }
    if (phase_ != Phase::Stopped || pcAccess_ || !canRecord()) return;
    phase_ = Phase::RecordPause;
    currentTrack_ = trackCount() + 1;
    positionMs_ = 0;
}

void VirtualUnit::startRecordingTrack() {
    if (!canRecord()) return;
    disc_->tracks.push_back(DiscTrack{"", 0, mono_});
    currentTrack_ = trackCount();
    positionMs_ = 0;
    sinceMarkMs_ = 0;
    unsaved_ = true;
    phase_ = Phase::Recording;
}

void VirtualUnit::recMode(std::uint8_t, std::uint8_t) {
    if (phase_ != Phase::Recording) mono_ = !mono_;  // not in the middle of a track
}

void VirtualUnit::toggleAutoMark(std::uint8_t, std::uint8_t) {
    autoMark_ = !autoMark_;
    sinceMarkMs_ = 0;
}

void VirtualUnit::power(std::uint8_t, std::uint8_t) { setPower(!powered_); }

void VirtualUnit::access(std::uint8_t, std::uint8_t) {
    if (recordingPhase()) return;  // the deck keeps PC access as it is while it records
    pcAccess_ = !pcAccess_;
}

bool VirtualUnit::canEdit(bool allowPlaying) {
    if (!disc_) return false;
    const bool stateOk = phase_ == Phase::Stopped || phase_ == Phase::Paused ||
                         (allowPlaying && phase_ == Phase::Playing);
    if (!disc_->recordable || !stateOk) {
        error_ = kErrorCantEdit;
        return false;
    }
    return true;
}

void VirtualUnit::startTocWrite(unsigned resumeTrack) {
    search_ = Search::None;
    phase_ = Phase::TocWrite;
    busyUntil_ = now_ + timings_.tocWriteMs;
    resumeTrack_ = resumeTrack;
}

void VirtualUnit::finishTocWrite() {
    // A track that never got sound is not written.
    if (disc_ && !disc_->tracks.empty() && disc_->tracks.back().lengthMs == 0) disc_->tracks.pop_back();
    if (disc_) savedDisc_ = *disc_;
    unsaved_ = false;
    stopAtStart();
    currentTrack_ = std::min(resumeTrack_, trackCount());
    if (currentTrack_ == 0 && trackCount() > 0) currentTrack_ = 1;
    if (powerOffAfterWrite_) {
        powerOffAfterWrite_ = false;
        powerOff();
    }
}

void VirtualUnit::erase(std::uint8_t n, std::uint8_t) {
    if (!canEdit(false)) return;
    if (n < 1 || n > trackCount()) { error_ = kErrorCantEdit; return; }
    disc_->tracks.erase(disc_->tracks.begin() + (n - 1));
    startTocWrite(n);
}

void VirtualUnit::eraseAll(std::uint8_t, std::uint8_t) {
    if (!canEdit(false)) return;
    disc_->tracks.clear();
    disc_->title.clear();
    startTocWrite(0);
}

void VirtualUnit::move(std::uint8_t from, std::uint8_t to) {
    if (!canEdit(false)) return;
    if (from < 1 || from > trackCount() || to < 1 || to > trackCount()) { error_ = kErrorCantEdit; return; }
    auto& tracks = disc_->tracks;
    DiscTrack moved = tracks[from - 1];
    tracks.erase(tracks.begin() + (from - 1));
    tracks.insert(tracks.begin() + (to - 1), std::move(moved));
    startTocWrite(to);
}

void VirtualUnit::combine(std::uint8_t n, std::uint8_t) {
    if (!canEdit(false)) return;
    if (n < 2 || n > trackCount()) { error_ = kErrorCantEdit; return; }
    DiscTrack& first = track(n - 1);
    const DiscTrack& second = track(n);
    first.lengthMs += second.lengthMs;
    if (first.name.empty()) first.name = second.name;
    disc_->tracks.erase(disc_->tracks.begin() + (n - 1));
    startTocWrite(n - 1);
}

void VirtualUnit::divide(std::uint8_t, std::uint8_t) {
    if (!canEdit(true)) return;
    const unsigned n = currentTrack_;
    // A division needs sound on both sides of the cut.
    if (n < 1 || n > trackCount() || positionMs_ < kMinRecordMs ||
        positionMs_ + kMinRecordMs > track(n).lengthMs) {
        error_ = kErrorCantEdit;
        return;
    }
    if (trackCount() >= kMaxTracks) { error_ = kErrorTocFull; return; }
    DiscTrack& first = track(n);
    DiscTrack second{"", first.lengthMs - positionMs_, first.mono};
    first.lengthMs = positionMs_;
    disc_->tracks.insert(disc_->tracks.begin() + n, std::move(second));
    startTocWrite(n + 1);
}

void VirtualUnit::goTo(std::uint8_t n, std::uint8_t) {
    if (phase_ != Phase::Stopped && phase_ != Phase::Playing && phase_ != Phase::Paused) return;
    if (n < 1 || n > trackCount()) return;
    currentTrack_ = n;
    positionMs_ = 0;
}

// ---------------------------------------------------------------------------------------------
// Names

VirtualUnit::NameRead VirtualUnit::readName(std::uint32_t kind, std::uint32_t index) const {
    NameRead r;
    if (!cardPresent_ || !powered_ || !disc_) return r;
    if (loading() || phase_ == Phase::TocWrite) { r.result = NAME_BUSY; return r; }
    if (kind == 0 && index == 0) {
        r.result = NAME_OK;
        r.text = disc_->title;
    } else if (kind == 1 && index >= 1 && index <= trackCount()) {
        r.result = NAME_OK;
        r.text = track(index).name;
    }
    return r;
}

std::uint32_t VirtualUnit::writeName(std::uint32_t kind, std::uint32_t index, const std::string& text) {
    if (!cardPresent_ || !powered_ || !disc_) return NAME_REFUSED;
    if (loading() || phase_ == Phase::TocWrite) return NAME_BUSY;
    if (!disc_->recordable || !isDiscText(text) || text.size() >= kNameTextSize) return NAME_REFUSED;
    std::string* target = nullptr;
    if (kind == 0 && index == 0) target = &disc_->title;
    else if (kind == 1 && index >= 1 && index <= trackCount()) target = &track(index).name;
    if (!target) return NAME_REFUSED;
    const unsigned slots = disc_->titleSlotsUsed() - titleSlotsFor(target->size()) + titleSlotsFor(text.size());
    if (slots > kTitleSlots) return NAME_REFUSED;  // title memory full
    *target = text;
    // Names go to the TOC with the next write; a name is not worth losing to a pulled card.
    if (!unsaved_) savedDisc_ = *disc_;
    return NAME_OK;
}

// ---------------------------------------------------------------------------------------------
// Status

std::uint8_t VirtualUnit::operationCode() const {
    std::uint8_t op = phaseRow(phase_).operation;
    if (phase_ == Phase::Playing || phase_ == Phase::Paused) {
        if (search_ == Search::Forward) op |= kSearchForward;
        if (search_ == Search::Backward) op |= kSearchBackward;
    }
    return op;
}

std::uint32_t VirtualUnit::displayedTimeMs() const {
    const bool onTrack = currentTrack_ >= 1 && currentTrack_ <= trackCount();
    switch (timeDisplay_) {
    case 3:
        if (!onTrack || phase_ == Phase::Recording) return 0;
        return track(currentTrack_).lengthMs - positionMs_;
    case 2: return static_cast<std::uint32_t>(mono_ ? freeMs() * 2 : freeMs());
    case 6: return disc_ ? static_cast<std::uint32_t>(disc_->playTimeMs()) : 0;
    default:
        if (phase_ == Phase::Recording && onTrack) return track(currentTrack_).lengthMs;
        return positionMs_;
    }
}

std::uint8_t VirtualUnit::level(bool right) const {
    const bool sound = (phase_ == Phase::Playing && search_ == Search::None) ||
                       phase_ == Phase::Recording || phase_ == Phase::RecordPause;
    if (!sound || !powered_) return 0;
    // A made-up programme: a new value every 50 ms from a hash of the time, so it looks alive
    // and stays the same for the same virtual time.
    std::uint32_t x = static_cast<std::uint32_t>(now_ / 50) * 2654435761u + (right ? 0x9E37u : 0u);
    x ^= x >> 15;
    x *= 2246822519u;
    x ^= x >> 13;
    return static_cast<std::uint8_t>(24 + x % 100);
}

StatusBytes VirtualUnit::status(bool withLevels) const {
    StatusBytes b{};
    b[kVolume] = volume_;
    if (!powered_) return b;  // power off: unit state 0
    if (loading()) {
        b[kUnitState] = kUnitNotAccessible;
        return b;
    }
    b[kUnitState] = pcAccess_ ? kUnitPcAccessOn : kUnitPcAccessOff;
    b[kOperation] = operationCode();
    b[kFlags] = static_cast<std::uint8_t>((timeDisplay_ & 7) | (autoMark_ ? kAutoMarkBit : 0) |
                                          (mono_ ? kMonoBit : 0));
    if (disc_) {
        b[kDiscState] = kDiscPresent;
        b[kDiscKind] = disc_->recordable ? kRecordableBit : 0;
    }
    b[kTrack] = static_cast<std::uint8_t>(currentTrack_);
    b[kError] = error_;
    const std::uint32_t seconds = displayedTimeMs() / 1000;
    b[kMinutes] = static_cast<std::uint8_t>(std::min<std::uint32_t>(seconds / 60, 255));
    b[kSeconds] = static_cast<std::uint8_t>(seconds % 60);
    if (withLevels) {
        b[kLevelLeft] = level(false);
        b[kLevelRight] = level(true);
    } else {
        b[kSpare] = 0;
        b[kTotalTracks] = static_cast<std::uint8_t>(trackCount());
    }
    return b;
}

ModelBytes VirtualUnit::model() const {
    ModelBytes m{};
    std::memcpy(m.data(), kModel, sizeof kModel - 1);
    return m;
}

Json VirtualUnit::toJson() const {
    auto hex = [](std::uint8_t byte) {
        char text[8];
        std::snprintf(text, sizeof text, "0x%02X", byte);
        return std::string(text);
    };
    const StatusBytes s = status(false);
    Json v;
    v["card"] = cardPresent_;
    v["power"] = powered_;
    v["pcAccess"] = pcAccess_;
    v["loading"] = loading();
    v["phase"] = phaseName(phase_);
    v["search"] = search_ == Search::Forward ? "forward" : search_ == Search::Backward ? "backward" : "none";
    v["unitState"] = hex(s[kUnitState]);
    v["operation"] = hex(s[kOperation]);
    v["track"] = currentTrack_;
    v["position"] = formatMinutesSeconds(positionMs_);
    v["timeDisplay"] = static_cast<unsigned>(timeDisplay_);
    v["autoMark"] = autoMark_;
    v["recordingMode"] = mono_ ? "mono" : "stereo";
    v["volume"] = static_cast<unsigned>(volume_);
    v["error"] = hex(error_);
    v["disc"] = nullptr;
    if (disc_) {
        v["disc"] = discToJson(*disc_);
        v["disc"]["free"] = formatMinutesSeconds(freeMs());
        v["disc"]["titleSlotsUsed"] = disc_->titleSlotsUsed();
    }
    return v;
}

}  // namespace tovik::card
