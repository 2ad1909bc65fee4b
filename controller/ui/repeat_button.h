#pragma once
// A bitmap push button that can repeat its command while held and report its release (the
// transport's track keys, the volume keys, the track list editor's move keys).
//
// Held by the mouse or the space bar, an auto-repeat button sends WM_COMMAND to its parent
// 300 ms after the press (whatever its period), then once every period while it still shows
// pushed; the release sends the ordinary click (WM_COMMAND) when the pointer is over it. With
// release notification on, every mouse release also sends 0x710 first. Without auto-repeat it
// is a plain bitmap button. Timers 1 (the first delay) and 2 (the period) are on its own window.

#include "controller/ui/skin_button.h"
#include "platform/timers.h"

namespace tovik::ui {

class RepeatButton : public SkinButton {
public:
    static constexpr unsigned kFirstDelayMs = 300;
    enum Timer : unsigned { TIMER_NONE = 0, TIMER_FIRST = 1, TIMER_REPEAT = 2 };

    RepeatButton(WindowSystem& windows, Timers& timers, int controlId, std::string caption);
    ~RepeatButton() override;

    // --- settings (the panel's and the editor's) ---
    void setAutoRepeat(bool on) { autoRepeat_ = on; }
    void setReleaseNotification(bool on) { releaseNotify_ = on; }
    void setRepeatPeriod(unsigned ms) { periodMs_ = ms; }
    bool autoRepeat() const { return autoRepeat_; }
    bool releaseNotification() const { return releaseNotify_; }
    unsigned repeatPeriod() const { return periodMs_; }
    // The alternate images ("RU"/"RD" for up and down); a change repaints.
    void setAlternateImages(bool on);
    bool alternateImages() const { return alternate_; }

    // --- input, as the widget receives it ---
    void mouseDown() override;
    // While the mouse holds the button, it shows pushed only with the pointer over it.
    void mouseMove(bool overButton) override;
    void mouseUp(bool overButton) override;
    // The space bar; autoRepeated is the keyboard's own repeat of a key already down.
    void spaceDown(bool autoRepeated);
    void spaceUp();
    // The ordinary click.
    void click() override;
    void cancel() override;

    // --- state ---
    // True while the button's state reports pushed.
    bool held() const { return pushed_; }
    bool showsDown() const override { return pushed_; }
    unsigned currentTimer() const { return timer_; }
    ButtonImageNames images() const override { return buttonImages(caption(), alternate_); }

    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override;

private:
    void setPushed(bool pushed);
    void startFirstDelay();
    void stopTimer();

    Timers& timers_;
    bool autoRepeat_ = false;
    bool releaseNotify_ = false;
    unsigned timer_ = TIMER_NONE;
    unsigned periodMs_ = 300;
    bool alternate_ = false;
    bool pushed_ = false;
    bool mouseHeld_ = false;  // the mouse captured the button with a press
    bool spaceHeld_ = false;
};

}  // namespace tovik::ui
