#pragma once
// A bitmap button that latches on a press (fast forward and rewind): the unit searches while it
// is latched. A press latches it and sends 0x700 to the parent, keeping the mouse so it learns
// when the pointer leaves; a second press, or the pointer leaving the button, unlatches it and
// sends 0x701. Releasing the mouse over the button keeps it latched. It sends no click.

#include <functional>

#include "controller/ui/skin_button.h"

namespace tovik::ui {

class LatchButton : public SkinButton {
public:
    LatchButton(WindowSystem& windows, int controlId, std::string caption);

    // --- input ---
    void mouseDown() override;
    void mouseMove(bool overButton) override { leaveCheck(overButton); }
    void mouseUp(bool overButton) override { leaveCheck(overButton); }
    // Latches or unlatches as a press does, without taking the mouse.
    void click() override;
    // Disabled or hidden while latched: unlatches (0x701), so the search cannot run on with a
    // button nobody can release.
    void cancel() override;

    bool latched() const { return latched_; }
    bool showsDown() const override { return latched_; }

    // The widget takes (true) or gives back (false) the mouse.
    std::function<void(bool)> onCapture;

private:
    void toggle(bool takeMouse);
    void leaveCheck(bool overButton);
    void unlatch();
    void capture(bool on);

    bool latched_ = false;
};

}  // namespace tovik::ui
