#pragma once
// The display in the middle of Rotela's panel, an LCD that shows the deck: track number, time,
// one message line, seven lamps and the disc and track name boxes. The panel feeds it every
// status; the editing commands use its message line; the disc model sets its names.
//
// Behaviour only: it draws through the canvas, keeps its two timers on its own window (1 ends a
// temporary message, 2 waits out a double click on a name box) and posts 0xD00 / 0xD01 to its
// parent. The widget (DisplayView) paints, shows the name boxes, tooltips and the name pop-up.

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "controller/disc/name_edit_requests.h"
#include "controller/link/md_status.h"
#include "controller/ui/display_layout.h"
#include "platform/host.h"

namespace tovik::ui {

// Sent to the parent on a double click of a name box (wParam and lParam 0).
using disc::WM_EDIT_DISC_NAME;
using disc::WM_EDIT_TRACK_NAME;

enum DisplayTimer : unsigned {
    TIMER_MESSAGE_END = 1,
    TIMER_SINGLE_CLICK = 2,
};

constexpr unsigned kErrorMessageSeconds = 2;

// What the display needs of its window.
class DisplayView {
public:
    virtual ~DisplayView() = default;
    virtual void resize(Size size) = 0;
    // The whole window is erased and painted again soon (DisplayPanel::paint).
    virtual void invalidate() = 0;
    // A canvas on the window itself: what is drawn shows at once and stays until the next
    // paint. It also measures text and knows the bitmaps.
    virtual void drawNow(const std::function<void(Canvas&)>& draw) = 0;
    virtual void showNameBoxes(bool visible) = 0;
    // The box's text or show-text flag changed: paint it again (DisplayPanel::paintNameBox).
    virtual void repaintNameBox(NameBox box) = 0;
    virtual void setTooltip(NameBox box, const std::string& utf8) = 0;
    // Shows the whole name in the pop-up over the box, closing one already open.
    virtual void openNamePopup(NameBox box, const std::string& utf8) = 0;
    // The system's double-click time.
    virtual unsigned doubleClickTimeMs() const = 0;
};

class DisplayPanel : public MessageTarget {
public:
    DisplayPanel(Host& host, Handle parent);
    ~DisplayPanel();
    DisplayPanel(const DisplayPanel&) = delete;
    DisplayPanel& operator=(const DisplayPanel&) = delete;

    // The window's creation: size, hidden name boxes, their tooltips.
    void create(DisplayView& view);
    // The window that gets 0xD00 / 0xD01, for a parent whose window comes after the display's.
    void setParent(Handle parent) { parent_ = parent; }

    // Every status that reaches the panel; failed when the request was answered with a failure.
    void updateFromStatus(const link::MdStatus& status, bool failed);

    // Names in display form, bytes in the system's code page. An equal name changes nothing.
    void setDiscName(const std::string& text);
    void setTrackName(const std::string& text);
    void setTrackNumber(int track);
    void setTime(int minutes, int seconds);
    // The temporary message (UTF-8), for `seconds` when non-zero; an empty text clears it.
    void showMessage(const std::string& text, unsigned seconds = 0);
    void showMessageId(unsigned stringId, unsigned seconds = 0);
    // The message that follows the unit's state; it covers the temporary one.
    void setPersistentMessage(const std::string& text);
    void setLamp(int index, int value);

    // Input forwarded by the name boxes.
    void nameBoxClicked(NameBox box);
    void nameBoxDoubleClicked(NameBox box);

    // The whole window, and one name box in its own coordinates.
    void paint(Canvas& canvas) const;
    void paintNameBox(Canvas& canvas, NameBox box) const;

    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override;

    // --- state, for the widget and the tests ---
    Handle window() const { return window_; }
    bool dark() const { return dark_; }
    bool contentsHidden() const { return hidden_; }
    const std::string& discName() const { return names_[0]; }
    const std::string& trackName() const { return names_[1]; }
    const std::string& temporaryMessage() const { return temporary_; }
    const std::string& persistentMessage() const { return persistent_; }
    int trackNumber() const { return track_; }
    int minutes() const { return minutes_; }
    int seconds() const { return seconds_; }
    int lampValue(int index) const { return lamps_[index].lit; }
    bool lampVisible(int index) const { return lamps_[index].visible; }
    bool nameBoxesShown() const { return boxesShown_; }
    bool nameBoxShowsText(NameBox box) const { return boxes_[slot(box)].showText; }
    const std::string& tooltip(NameBox box) const { return boxes_[slot(box)].tooltip; }
    const FontSpec& nameFont() const { return fonts_.small; }

private:
    struct LampState {
        int lit = 0;
        bool visible = true;
    };
    struct NameBoxState {
        bool showText = true;
        std::string tooltip;  // UTF-8
    };
    struct Causes {
        bool failed = false;
        bool notAccessible = false;
        bool noDisc = false;
        bool any() const { return failed || notAccessible || noDisc; }
    };

    static int slot(NameBox box) { return box == NameBox::Disc ? 0 : 1; }
    bool messageShowing() const { return !temporary_.empty() || !persistent_.empty(); }
    void setName(NameBox box, const std::string& text);
    std::string fitTooltip(const std::string& utf8, int boxWidth);
    void setShowText(NameBox box, bool show);
    void startMessageTimer(const std::string& text, unsigned seconds);
    void redrawMessageLine(bool hadMessage);
    void updateLampVisibility();
    // Draws at once unless the display is dark or its contents hidden: then the next paint,
    // which shows neither fields nor lamps, is the truth.
    void drawNow(const std::function<void(Canvas&)>& draw);

    void drawMessageArea(Canvas& canvas) const;
    void drawTrackNumber(Canvas& canvas) const;
    void drawTime(Canvas& canvas) const;
    void drawLamp(Canvas& canvas, int index) const;
    void drawTrackAndTime(Canvas& canvas) const;

    Host& host_;
    Handle parent_;
    Handle window_ = kNoWindow;
    DisplayView* view_ = nullptr;
    DisplayFonts fonts_;

    std::array<std::string, 2> names_;  // disc, track (code-page bytes)
    std::string temporary_;
    std::string persistent_;
    int track_ = -1;
    int minutes_ = -1;
    int seconds_ = -1;
    std::array<LampState, kLampCount> lamps_{};
    bool dark_ = true;
    bool hidden_ = false;
    Causes causes_;
    bool boxesShown_ = false;
    std::array<NameBoxState, 2> boxes_{};

    // The single click waiting for the double-click time to pass.
    NameBox pendingBox_ = NameBox::Disc;
    std::string pendingName_;
};

}  // namespace tovik::ui
