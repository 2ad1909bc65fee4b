#pragma once
// The unit's operation code (status byte 1) as the mode the controller works with.

#include <cstdint>

namespace tovik::link {

// Modes the controller treats specially.
enum MdMode : std::uint8_t {
    MODE_STOPPED = 2,
    MODE_PAUSED = 4,        // PLAY and PAUSE lamps
    MODE_PLAYING = 5,       // PLAY lamp
    MODE_LEVELS = 6,        // polled fast with level values; the state row stays as it was
    MODE_REC_PAUSE = 7,     // REC and PAUSE lamps
    MODE_RECORDING = 9,     // REC lamp
    MODE_SYNC_PAUSE = 16,   // REC and PAUSE lamps
    MODE_HIDDEN = 17,       // display contents hidden, a state row of its own
    MODE_HIGH = 20,         // operation codes 0x70-0x9F that have no mode of their own
};

std::uint8_t decodeMode(std::uint8_t operationCode);

// While the unit records (or is about to), or shows the total track count, the current track's
// name is neither shown nor edited.
inline bool hidesCurrentTrackName(std::uint8_t mode, std::uint8_t subState) {
    return mode == MODE_REC_PAUSE || mode == 8 || mode == MODE_RECORDING ||
           mode == MODE_SYNC_PAUSE || (subState >= 4 && subState <= 6);
}

}  // namespace tovik::link
