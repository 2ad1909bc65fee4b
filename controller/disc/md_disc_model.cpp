#include "controller/disc/md_disc_model.h"

namespace tovik::disc {

void MdDiscModel::updateTrackCount(int count) {
    trackCount = count;
    const std::size_t size = count > 0 ? static_cast<std::size_t>(count) : 0;
    trackNames.resize(size);
    nameKnown.resize(size, 0);
}

void MdDiscModel::clear() {
    discName.clear();
    discNameKnown = false;
    clearTracks();
}

void MdDiscModel::clearTracks() {
    shownTrack = 0;
    trackNames.clear();
    nameKnown.clear();
    trackCount = -1;
}

void MdDiscModel::forgetTrack(int track) {
    if (track < 1 || static_cast<std::size_t>(track) > trackNames.size()) return;
    trackNames[static_cast<std::size_t>(track) - 1].clear();
    if (static_cast<std::size_t>(track) <= nameKnown.size()) nameKnown[static_cast<std::size_t>(track) - 1] = 0;
}

bool MdDiscModel::trackKnown(int track) const {
    return track >= 1 && static_cast<std::size_t>(track) <= nameKnown.size() &&
           nameKnown[static_cast<std::size_t>(track) - 1] != 0;
}

const std::string& MdDiscModel::trackName(int track) const {
    static const std::string none;
    if (track < 1 || static_cast<std::size_t>(track) > trackNames.size()) return none;
    return trackNames[static_cast<std::size_t>(track) - 1];
}

bool MdDiscModel::storeTrackName(int track, std::string name) {
    if (track < 1 || track > trackCount) return false;
    updateTrackCount(trackCount);  // the arrays may lag behind a count set directly
    trackNames[static_cast<std::size_t>(track) - 1] = std::move(name);
    nameKnown[static_cast<std::size_t>(track) - 1] = 1;
    return true;
}

}  // namespace tovik::disc
