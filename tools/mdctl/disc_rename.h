#pragma once
// mdctl rename: titles the disc and its tracks from a script, on the controller's own write
// path (the text rules, the unit's answer, the 50-second time-out of a name write):
//   mdctl rename [--dry-run] disc TEXT
//   mdctl rename [--dry-run] N TEXT
//   mdctl rename [--dry-run] --from FILE     (plain text or a CUE sheet; see name_file.h)
// Every name is checked before anything is written: it must convert to disc form, and all the
// disc's names after the change must fit its title memory (255 slots of 7 characters). Then the
// names are written one after another, those that free slots first; --dry-run prints what would
// be written and writes nothing.
//
// Exit status: 0 done; 1 usage; 2 no driver; 3 no card or unit not accessible; 4 the names
// could not be read or a write was not answered; 5 no disc; 6 the file could not be read;
// 7 nothing was written: a name cannot be written, or the names do not fit; 8 a write failed
// part-way (the names written so far are listed).

#include <iosfwd>

#include "tools/mdctl/mdctl_commands.h"

namespace tovik::mdctl {

constexpr int EXIT_NAMES_REFUSED = 7;
constexpr int EXIT_PARTLY_WRITTEN = 8;

// The unit's title memory.
constexpr unsigned kTitleSlots = 255;
constexpr unsigned kTitleSlotChars = 7;
// Slots a name of this many disc-form characters takes (none for an empty name).
constexpr unsigned titleSlots(std::size_t chars) {
    return static_cast<unsigned>((chars + kTitleSlotChars - 1) / kTitleSlotChars);
}

int rename(Environment& env, Args args, std::ostream& out, std::ostream& err);

}  // namespace tovik::mdctl
