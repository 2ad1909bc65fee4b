#pragma once
// The controller's cache of the disc in the unit: the track count from the last area-A status,
// the disc name and each track's name as read from the unit (in display form, ANSI code page),
// and the marks the name reads and the full read cycle keep. The panel owns one; DiscNameReader
// fills it.

#include <cstdint>
#include <string>
#include <vector>

namespace tovik::disc {

// What the full read cycle does when it has read every name.
enum AfterCycleAction : int {
    AFTER_CYCLE_NONE = 0,
    AFTER_CYCLE_LABEL_EDITOR = 1,  // write the label file and start the label editor
    AFTER_CYCLE_TRACK_LIST = 2,    // open the track list editor
};

struct MdDiscModel {
    int trackCount = -1;  // -1 until an area-A status arrives
    std::string discName;
    bool discNameKnown = false;
    std::vector<std::string> trackNames;  // index 0 = track 1; sized to trackCount
    std::vector<std::uint16_t> nameKnown;  // 1 = that track's name has been read
    int shownTrack = 0;                    // track whose name the display shows; 0 = none
    bool readOutstanding = false;
    bool readingDisc = false;
    bool readingTrack = false;
    bool cycleActive = false;
    int cycleIndex = -1;  // 0 = disc name, n = track n; -1 = no cycle
    int retryCount = 0;   // failed answers in a row in the cycle
    int afterCycleAction = AFTER_CYCLE_NONE;
    std::uint8_t savedTrack = 0;  // current track when the cycle began

    // The count from an area-A status; both arrays follow it and keep what they hold.
    void updateTrackCount(int count);
    // Forgets the disc: names, marks, count. The display's names are the reader's business.
    void clear();
    // Forgets every track (names, marks, count) and keeps the disc name: after an edit of the
    // table of contents the tracks are read again.
    void clearTracks();
    // Forgets one track's name so that it is read again; nothing for a track outside the arrays.
    void forgetTrack(int track);

    bool trackKnown(int track) const;
    // Empty for a track outside the count.
    const std::string& trackName(int track) const;
    // Stores the name of track 1..count and marks it known; false (nothing stored) otherwise.
    bool storeTrackName(int track, std::string name);
};

}  // namespace tovik::disc
