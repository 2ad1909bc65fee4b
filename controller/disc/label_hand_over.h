#pragma once
// The label file the controller hands to the label editor: the disc name and one name per track
// of the disc, as the full read cycle left them in the cache, in the short layout. Written
// complete under a temporary name and renamed, so a failure leaves no partial file behind.

#include <filesystem>
#include <string>

#include "controller/disc/md_disc_model.h"

namespace tovik::disc {

// String ids of the hand-over.
constexpr unsigned IDS_LABEL_EDITOR_PROGRAM = 1022;  // "Sleevon.exe"
constexpr unsigned IDS_LABEL_FILE_NAME = 1023;       // "EditingLabel.slv"

// False when the file could not be written; `why` then says why.
bool writeLabelFile(const MdDiscModel& model, const std::filesystem::path& path,
                    std::string* why = nullptr);

}  // namespace tovik::disc
