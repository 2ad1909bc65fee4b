#pragma once
// A disc as the virtual unit holds it, and its JSON image file:
//
//   { "title": "^ko^n^ni^chi^ha",      disc name in disc form (may be empty)
//     "recordable": true,               false: a pre-recorded disc
//     "capacity": 74,                   minutes of stereo sound the disc holds (1-99)
//     "tracks": [ { "name": "Intro", "length": "3:25" }, ... ] }   length "m:ss" or seconds
//
// Names are kept in disc form: printable ASCII only (0x20-0x7E), kana as caret runs.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace tovik::card {

// The unit's title memory: names are stored in 7-character slots, 255 slots per disc for the
// disc name and all track names together.
constexpr unsigned kTitleSlotChars = 7;
constexpr unsigned kTitleSlots = 255;
constexpr unsigned kMaxTracks = 255;
constexpr unsigned kMaxCapacityMinutes = 99;

struct DiscTrack {
    std::string name;
    std::uint32_t lengthMs = 0;
    bool mono = false;  // recorded in mono/long-play: takes half the space
};

struct Disc {
    std::string title;
    bool recordable = true;
    unsigned capacityMinutes = 74;
    std::vector<DiscTrack> tracks;

    std::uint64_t capacityMs() const { return std::uint64_t{capacityMinutes} * 60'000; }
    std::uint64_t usedMs() const;      // space taken, mono tracks counting half
    std::uint64_t playTimeMs() const;  // sum of the track lengths
    unsigned titleSlotsUsed() const;
};

// Slots a name of this many characters takes.
unsigned titleSlotsFor(std::size_t chars);
// True when every byte is printable ASCII.
bool isDiscText(const std::string& text);

struct DiscImageResult {
    std::optional<Disc> disc;
    std::string error;  // names the problem: "tracks[2].length: ..."
};

DiscImageResult parseDiscImage(const std::string& jsonText);
nlohmann::ordered_json discToJson(const Disc& disc);
std::string formatMinutesSeconds(std::uint64_t ms);

}  // namespace tovik::card
