#pragma once
// The label file the controller hands to the label editor: the disc name and one name per track
// of the disc, as the full read cycle left them in the cache, in the short layout. Written
// complete under a temporary name and renamed, so a failure leaves no partial file behind.

#include <filesystem>
#include <functional>
#include <string>

#include "controller/disc/md_disc_model.h"
#include "labeleditor/document/file_io.h"
#include "platform/host.h"

namespace tovik::disc {

// String ids of the hand-over.
constexpr unsigned IDS_LABEL_EDITOR_PROGRAM = 1022;  // "Sleevon.exe"
constexpr unsigned IDS_LABEL_FILE_NAME = 1023;       // "EditingLabel.slv"
constexpr unsigned IDS_LABEL_FILE_WRITE_ERROR = 57741;  // file name, reason

// False when the file could not be written; `why` then says why and `failure` at which step.
bool writeLabelFile(const MdDiscModel& model, const std::filesystem::path& path,
                    std::string* why = nullptr, label::ReplaceFailure* failure = nullptr);

// The end of a full read cycle for the label editor: writes "EditingLabel.slv" in the current
// folder and starts "Sleevon.exe" on that bare name, so the editor opens it from the same
// folder. A file that cannot be created at all (a read-only folder, say) ends it quietly: the
// names stay read and the next SLEEVON press tries again. An error while writing its bytes is
// shown with the file and the reason. Either way the editor is not started. waitCursor (if
// given) is on while the file is written. True when the editor was asked to start; whether it
// did is the shell's business.
bool openLabelEditor(Host& host, const MdDiscModel& model,
                     const std::function<void(bool)>& waitCursor = {});

}  // namespace tovik::disc
