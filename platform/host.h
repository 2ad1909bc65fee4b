#pragma once
// The platform as a behaviour class sees it. A class takes the narrowest port it needs; a class
// that needs many takes the Host. The Qt adapter (platform/qt) runs the real programs; the fake
// (platform/fake) runs the tests on a virtual clock.

#include "platform/codepage.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/profile.h"
#include "platform/shell.h"
#include "platform/strings.h"
#include "platform/timers.h"
#include "platform/window.h"

namespace tovik {

class Host : public WindowSystem,
             public Timers,
             public Clock,
             public ModalLoops,
             public MessageBoxes {
public:
    virtual Profile& profile() = 0;
    virtual Shell& shell() = 0;
    virtual WindowRegistry& windowRegistry() = 0;
    virtual const StringTable& strings() const = 0;
    virtual const CodePage& codePage() const = 0;

    // Shows a table text (formatted with args) in a message box.
    template <typename... Args>
    int messageBoxId(unsigned id, Buttons buttons, Icon icon, Args... args) {
        return messageBox(strings().format(id, args...), buttons, icon);
    }
};

}  // namespace tovik
