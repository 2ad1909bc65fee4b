#include "labeleditor/document/short_label_writer.h"

#include "labeleditor/document/label_file.h"

namespace tovik::label {

bool writeShortLabelFile(const std::filesystem::path& path, std::string_view discName,
                         std::span<const std::string> trackNames, std::string* why,
                         ReplaceFailure* failure) {
    return replaceFile(path, encodeShortLayout(discName, trackNames), why, failure);
}

}  // namespace tovik::label
