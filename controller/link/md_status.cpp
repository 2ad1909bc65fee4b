#include "controller/link/md_status.h"

#include "controller/link/md_mode.h"

namespace tovik::link {

void decodeStatus(const std::uint8_t* raw, StatusArea area, MdStatus& s) {
    s.unitState = raw[0];
    s.mode = decodeMode(raw[1]);
    s.subState = raw[2] & 0x07;
    s.flagA = (raw[2] & 0x10) ? 1 : 0;
    s.flagB = (raw[2] & 0x20) ? 0 : 1;
    s.lowBits = raw[3] & 0x03;
    s.discState = raw[3] >> 6;
    s.recordable = (raw[4] & 0x04) ? 1 : 0;
    s.currentTrack = raw[6];
    s.volume = raw[7];
    s.errorCode = raw[8];
    s.minutes = raw[9];
    s.seconds = raw[10];
    if (area == StatusArea::A) {
        s.spare = raw[11];
        s.totalTracks = raw[12];
    } else {
        s.leftLevel = raw[11];
        s.rightLevel = raw[12];
    }
}

}  // namespace tovik::link
