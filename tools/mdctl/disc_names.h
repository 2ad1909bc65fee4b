#pragma once
// mdctl's disc names, read with the controller's own full read cycle (progress on standard
// error, Ctrl+C is Cancel):
//   mdctl names [--json]   the disc name and every track name, in display form, as UTF-8
//   mdctl label [FILE]     the label file for the label editor (default "EditingLabel.slv")
// Exit status: 0 done; 1 usage; 2 no driver; 3 no card or unit not accessible; 4 the read
// cycle failed or was cancelled; 5 no disc; 6 the label file could not be written.

#include <iosfwd>

#include "controller/disc/md_disc_model.h"
#include "controller/link/md_status.h"
#include "tools/mdctl/mdctl_commands.h"

namespace tovik::mdctl {

constexpr int EXIT_READ_FAILED = 4;
constexpr int EXIT_NO_DISC = 5;
constexpr int EXIT_FILE_FAILED = 6;

// What the read cycle found: every name of the disc (display form, the system's code page), and
// the status taken before it began.
struct DiscReading {
    disc::MdDiscModel model;
    link::MdStatus status;
};
// Reads the whole disc as the controller does; EXIT_OK, or the failure's code after its message.
int readDisc(Environment& env, std::ostream& err, DiscReading& reading);

int names(Environment& env, Args args, std::ostream& out, std::ostream& err);
int label(Environment& env, Args args, std::ostream& out, std::ostream& err);

}  // namespace tovik::mdctl
