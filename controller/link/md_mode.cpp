#include "controller/link/md_mode.h"

namespace tovik::link {

std::uint8_t decodeMode(std::uint8_t b) {
    // First match wins.
    if (b == 0x76) return MODE_REC_PAUSE;
    if (b == 0x96) return MODE_SYNC_PAUSE;
    if (b == 0x7E) return MODE_RECORDING;
    if ((b & 0xF8) == 0x10 || (b & 0xF8) == 0x38) return MODE_HIDDEN;
    const std::uint8_t high = b >> 4;
    if (high >= 7 && high <= 9) return MODE_HIGH;
    return high;
}

}  // namespace tovik::link
