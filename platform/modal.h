#pragma once
// Modal loops: a dialog that runs modally keeps timers and posted messages flowing until one of
// the handlers ends it.

#include "platform/types.h"

namespace tovik {

class ModalLoops {
public:
    virtual ~ModalLoops() = default;
    // Runs a nested loop for the dialog window until endModal(dialog, code); returns the code.
    // If endModal was called for the dialog before the loop started, returns at once.
    virtual int runModal(Handle dialog) = 0;
    virtual void endModal(Handle dialog, int code) = 0;
};

}  // namespace tovik
