#pragma once
// Starting programs by the names the suite knows them by.

#include <QString>

#include <optional>

#include "platform/shell.h"

namespace tovik::qt {

// "Sleevon.exe" -> "sleevon"; "ROTELA.EXE" -> "rotela". Programs of the suite are built lower
// case without a suffix; the system's volume control has stand-ins on this platform.
std::vector<std::string> executableCandidates(const std::string& systemName);

// The sibling of the running program first, then the search path.
std::optional<QString> findExecutable(const std::string& systemName);

class QtShell : public Shell {
public:
    bool startProgram(const std::string& systemName, const std::vector<std::string>& args) override;
};

}  // namespace tovik::qt
