#pragma once
// Message boxes: the programs' only way of telling the user about a failure or asking a question.
// A box is modal: timers and posted messages keep flowing while it shows.

#include <string>

#include "platform/types.h"

namespace tovik {

enum class Buttons { Ok, OkCancel, RetryCancel, YesNo };
enum class Icon { None, Stop, Exclamation, Question, Information };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // text is UTF-8. Returns IDOK, IDCANCEL, IDRETRY, IDYES or IDNO.
    virtual int messageBox(const std::string& text, Buttons buttons, Icon icon) = 0;
    // True while a box shown through this port is open (handlers that must not stack boxes ask).
    virtual bool messageBoxOpen() const = 0;
};

}  // namespace tovik
