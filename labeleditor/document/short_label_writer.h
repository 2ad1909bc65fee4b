#pragma once
// The controller's label-file writer: the disc name and the track names just read from the
// disc, in the short layout, under the given name ("EditingLabel.slv" in the controller's
// current folder). Texts are display text in the ANSI code page.
//
// The file appears complete or not at all: it is written under a temporary name beside the
// target and renamed over it. On failure nothing is written, the previous file (if any) is
// untouched, and the caller must not start the label editor.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "labeleditor/document/file_io.h"

namespace tovik::label {

bool writeShortLabelFile(const std::filesystem::path& path, std::string_view discName,
                         std::span<const std::string> trackNames, std::string* why = nullptr,
                         ReplaceFailure* failure = nullptr);

}  // namespace tovik::label
