#pragma once
// Message boxes: the programs' only way of telling the user about a failure or asking a question.
// A box is modal: timers and posted messages keep flowing while it shows.

#include <string>

#include "platform/types.h"

namespace tovik {

enum class Buttons { Ok, OkCancel, RetryCancel, YesNo };
enum class Icon { None, Stop, Exclamation, Question, Information };
// The button that Enter presses: the first one, or the second (for example Cancel in OK/Cancel,
// so a question about destroying something is not answered by a hurried Enter).
enum class DefaultButton { First, Second };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // text is UTF-8. Returns IDOK, IDCANCEL, IDRETRY, IDYES or IDNO.
    virtual int messageBox(const std::string& text, Buttons buttons, Icon icon) = 0;
    // The same box with the chosen default button.
    virtual int messageBoxWithDefault(const std::string& text, Buttons buttons, Icon icon,
                                      DefaultButton defaultButton) {
        (void)defaultButton;
        return messageBox(text, buttons, icon);
    }
    // True while a box shown through this port is open (handlers that must not stack boxes ask).
    virtual bool messageBoxOpen() const = 0;
};

}  // namespace tovik
