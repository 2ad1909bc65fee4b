#pragma once
// Font records (the 60-byte description the label file keeps) and Qt fonts. A record's height
// is in pixels of the device it is meant for, negative for the character height; its face name
// is code-page bytes.

#include <QFont>

#include "labeleditor/document/log_font.h"
#include "platform/codepage.h"

namespace tovik::label {

// The Qt font of a record, sized in pixels as the record says.
QFont toQFont(const LogFont& font, const CodePage& codePage);
// The same font sized in points for a screen of `logPixelsY` dots per inch (as the font dialog
// shows sizes).
QFont toPointSizedQFont(const LogFont& font, const CodePage& codePage, int logPixelsY);
// The record of a Qt font for a device of `logPixelsY` dots per inch. The character set and
// whatever Qt does not describe come from `base`.
LogFont fromQFont(const QFont& font, const CodePage& codePage, int logPixelsY, const LogFont& base);
// The record of the system's default GUI font.
LogFont defaultGuiFontRecord(const CodePage& codePage, int logPixelsY);

}  // namespace tovik::label
