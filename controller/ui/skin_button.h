#pragma once
// What every skinned button shares: images named after its caption ("MDPLAY" + "U", "D", "F",
// "X"), the rule for which one shows, and the messages it sends its parent window. RepeatButton
// and LatchButton build on it; the widgets paint what it says and hand it their input.

#include <functional>
#include <string>
#include <string_view>

#include "controller/ui/button_messages.h"
#include "platform/canvas.h"
#include "platform/window.h"

namespace tovik::ui {

// The four images of a button: up (required), down, focus, disabled.
struct ButtonImageNames {
    std::string up, down, focus, disabled;
};

// caption + "U", "D", "F", "X"; with the alternate set "RU" and "RD" for up and down.
ButtonImageNames buttonImages(std::string_view caption, bool alternate = false);

// The image a button shows: the down image while it shows pressed (if the skin has one); else
// the focus image while focused (if any); else the up image, or the disabled image while
// disabled (if any). Empty when the skin lacks even the up image.
std::string chooseButtonImage(const ButtonImageNames& images, bool down, bool focused, bool enabled,
                              const std::function<bool(std::string_view)>& exists);

class SkinButton : public MessageTarget {
public:
    SkinButton(WindowSystem& windows, int controlId, std::string caption);
    virtual ~SkinButton();
    SkinButton(const SkinButton&) = delete;
    SkinButton& operator=(const SkinButton&) = delete;

    // The window its messages go to (the panel, the track list editor).
    void setParent(Handle parent) { parent_ = parent; }
    Handle parent() const { return parent_; }
    Handle window() const { return window_; }
    int controlId() const { return id_; }
    const std::string& caption() const { return caption_; }

    // Whether the button shows its down image now.
    virtual bool showsDown() const = 0;
    virtual ButtonImageNames images() const { return buttonImages(caption_); }
    // Draws the image for the state at (0, 0).
    void paint(Canvas& canvas, bool focused, bool enabled) const;
    // The button's size: its up image's.
    Size size(const Canvas& canvas) const;

    // --- input, as the widget receives it ---
    virtual void mouseDown() = 0;
    virtual void mouseMove(bool overButton) = 0;
    virtual void mouseUp(bool overButton) = 0;
    // The second click of a double click. RepeatButton and LatchButton turn it into a second
    // press; the framework's plain bitmap button (the panel's CLOSE, MIN and QUESTION) only
    // notes that a double click happened, so for it the pair is a single click.
    void doubleClick() {
        if (doubleClickPresses_) mouseDown();
    }
    void setDoubleClickPresses(bool on) { doubleClickPresses_ = on; }
    // A press from outside the mouse and the keyboard (a screen reader's).
    virtual void click() = 0;
    // Input the button may not finish (it was disabled, hidden or lost the keyboard focus): it
    // returns to rest without sending a click.
    virtual void cancel() {}

    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override;

    // Called whenever the look changes, so the widget repaints.
    std::function<void()> onChanged;

protected:
    void sendToParent(Msg msg);
    void changed();

    WindowSystem& windows_;

private:
    Handle window_;
    Handle parent_ = kNoWindow;
    int id_;
    std::string caption_;
    bool doubleClickPresses_ = true;
};

}  // namespace tovik::ui
