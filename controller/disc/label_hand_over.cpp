#include "controller/disc/label_hand_over.h"

#include "labeleditor/document/short_label_writer.h"

namespace tovik::disc {

bool writeLabelFile(const MdDiscModel& model, const std::filesystem::path& path, std::string* why,
                    label::ReplaceFailure* failure) {
    // One entry per track of the disc; a track whose name was never read is an empty name.
    std::vector<std::string> names(model.trackCount > 0 ? static_cast<std::size_t>(model.trackCount)
                                                        : 0);
    for (std::size_t i = 0; i < names.size() && i < model.trackNames.size(); ++i)
        names[i] = model.trackNames[i];
    return label::writeShortLabelFile(path, model.discName, names, why, failure);
}

bool openLabelEditor(Host& host, const MdDiscModel& model,
                     const std::function<void(bool)>& waitCursor) {
    const std::string file = host.strings().text(IDS_LABEL_FILE_NAME);
    std::string why;
    auto failure = label::ReplaceFailure::None;
    if (waitCursor) waitCursor(true);
    const bool written = writeLabelFile(model, file, &why, &failure);
    if (waitCursor) waitCursor(false);
    if (!written) {
        if (failure == label::ReplaceFailure::Write) {
            std::error_code ec;
            const std::filesystem::path folder = std::filesystem::current_path(ec);
            const std::string where = ec ? file : (folder / file).string();
            host.messageBoxId(IDS_LABEL_FILE_WRITE_ERROR, Buttons::Ok, Icon::Exclamation,
                              where.c_str(), why.c_str());
        }
        return false;
    }
    host.shell().startProgram(host.strings().text(IDS_LABEL_EDITOR_PROGRAM), {file});
    return true;
}

}  // namespace tovik::disc
