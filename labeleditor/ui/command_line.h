#pragma once
// The label editor's command line, read by the usual rules of document programs: the first plain
// argument names the document; a switch starts with '-' (or with '/', when what follows is one of
// the known switch names, since on this system '/' also starts every absolute path).
//   sleevon FILE              open FILE
//   sleevon -p FILE           print FILE (the editor has no direct printing: it opens and ends)
//   sleevon -pt FILE PRINTER DRIVER PORT
//   sleevon -dde | -unregister | -embedding | -automation

#include <string>
#include <vector>

namespace tovik::label {

struct CommandLineInfo {
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister };
    ShellCommand shellCommand = FileNew;
    std::string fileName;
    std::string printerName;
    std::string driverName;
    std::string portName;
    bool runEmbedded = false;
    bool runAutomated = false;
};

// `args` without the program's own name.
CommandLineInfo parseCommandLine(const std::vector<std::string>& args);

}  // namespace tovik::label
