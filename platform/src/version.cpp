// Alone in its file: a new version number rebuilds this file only.
#include "platform/command_line.h"

namespace tovik {

const char* suiteVersion() { return TOVIK_VERSION; }

}  // namespace tovik
