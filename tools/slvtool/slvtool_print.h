#pragma once
// slvtool print: the label's printed page as a PDF, as the label editor prints it.

#include <iosfwd>
#include <optional>
#include <string>

#include "labeleditor/document/label_file.h"
#include "labeleditor/document/stored_settings.h"
#include "platform/codepage.h"

namespace tovik::slvtool {

// One of the label editor's messages, in the system's language.
std::string systemText(unsigned id);

// Writes the page of `label` to the PDF `pdfPath`: landscape A4 at true size, the four label sets
// at the editor's positions moved by `offsets` (the editor's stored offsets when not given), with
// the label's fonts (the stored default fonts for a short layout). Returns the exit code.
int printLabel(const label::LabelFileContent& label, const std::string& pdfPath,
               std::optional<label::PrintOffsets> offsets, const CodePage& codePage, std::ostream& err);

}  // namespace tovik::slvtool
