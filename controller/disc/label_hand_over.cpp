#include "controller/disc/label_hand_over.h"

#include "labeleditor/document/short_label_writer.h"

namespace tovik::disc {

bool writeLabelFile(const MdDiscModel& model, const std::filesystem::path& path,
                    std::string* why) {
    // One entry per track of the disc; a track whose name was never read is an empty name.
    std::vector<std::string> names(model.trackCount > 0 ? static_cast<std::size_t>(model.trackCount)
                                                        : 0);
    for (std::size_t i = 0; i < names.size() && i < model.trackNames.size(); ++i)
        names[i] = model.trackNames[i];
    return label::writeShortLabelFile(path, model.discName, names, why);
}

}  // namespace tovik::disc
