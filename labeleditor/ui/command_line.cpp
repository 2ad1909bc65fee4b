#include "labeleditor/ui/command_line.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tovik::label {

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool isKnownSwitch(const std::string& name) {
    static const char* const known[] = {"p", "pt", "dde", "unregister", "unregserver",
                                        "embedding", "automation"};
    return std::find(std::begin(known), std::end(known), name) != std::end(known);
}

void parseSwitch(const std::string& name, CommandLineInfo& info) {
    if (name == "p") {
        info.shellCommand = CommandLineInfo::FilePrint;
    } else if (name == "pt") {
        info.shellCommand = CommandLineInfo::FilePrintTo;
    } else if (name == "dde") {
        info.shellCommand = CommandLineInfo::FileDDE;
    } else if (name == "unregister" || name == "unregserver") {
        info.shellCommand = CommandLineInfo::AppUnregister;
    } else if (name == "embedding") {
        info.runEmbedded = true;
    } else if (name == "automation") {
        info.runAutomated = true;
    }
}

void parsePlain(const std::string& param, CommandLineInfo& info) {
    if (info.shellCommand == CommandLineInfo::FilePrintTo) {
        // After -pt: the file, then the printer, the driver and the port.
        for (std::string* field : {&info.fileName, &info.printerName, &info.driverName, &info.portName}) {
            if (field->empty()) {
                *field = param;
                return;
            }
        }
        return;
    }
    if (info.fileName.empty()) info.fileName = param;
}

}  // namespace

CommandLineInfo parseCommandLine(const std::vector<std::string>& args) {
    CommandLineInfo info;
    for (const std::string& param : args) {
        if (param.size() > 1 && param[0] == '-') {
            parseSwitch(lower(std::string_view(param).substr(1)), info);
        } else if (param.size() > 1 && param[0] == '/' && isKnownSwitch(lower(std::string_view(param).substr(1)))) {
            parseSwitch(lower(std::string_view(param).substr(1)), info);
        } else {
            parsePlain(param, info);
        }
    }
    if (info.shellCommand == CommandLineInfo::FileNew && !info.fileName.empty())
        info.shellCommand = CommandLineInfo::FileOpen;
    return info;
}

}  // namespace tovik::label
