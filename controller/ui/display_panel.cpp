#include "controller/ui/display_panel.h"

#include <algorithm>
#include <cstdio>

#include "controller/link/md_mode.h"
#include "controller/link/unit_messages.h"
#include "controller/ui/utf8_chars.h"

namespace tovik::ui {

namespace {

struct ModeLamps {
    std::uint8_t mode;
    bool play, pause, rec;
};

// Transport lamps per unit mode; any mode not listed lights none.
constexpr ModeLamps kModeLamps[] = {
    {link::MODE_PAUSED, true, true, false},     {link::MODE_PLAYING, true, false, false},
    {link::MODE_REC_PAUSE, false, true, true},  {link::MODE_SYNC_PAUSE, false, true, true},
    {link::MODE_RECORDING, false, false, true},
};

// TOTAL and REMAIN per time display mode (sub-state); any other lights neither.
struct SubStateLamps {
    std::uint8_t subState;
    bool total, remain;
};
constexpr SubStateLamps kSubStateLamps[] = {
    {2, true, true}, {3, false, true}, {4, false, true}, {5, false, true}, {6, true, false},
};

// In these time display modes the track field shows the disc's track count.
bool showsTrackCount(std::uint8_t subState) { return subState >= 4 && subState <= 6; }

// The order the status update sets the lamps in.
constexpr int kLampUpdateOrder[] = {LAMP_TOTAL,   LAMP_REMAIN, LAMP_AUTO_MARK, LAMP_MONO_LP,
                                    LAMP_PLAY,    LAMP_PAUSE,  LAMP_REC};

Rect lampRect(const Canvas& canvas, int index) {
    const LampSpec& lamp = kLamps[static_cast<std::size_t>(index)];
    Size size = canvas.bitmapSize(lamp.bitmap);
    return {lamp.topLeft.x, lamp.topLeft.y, lamp.topLeft.x + size.cx, lamp.topLeft.y + size.cy};
}

// Text cyan on navy, filling the whole field so no older, wider text stays behind.
void drawField(Canvas& canvas, const Rect& area, Point at, const std::string& text,
               const FontSpec& font) {
    canvas.drawText(at, text, TextStyle{font, kDisplayText, kDisplayBack},
                    TextOptions{area, area});
}

}  // namespace

DisplayPanel::DisplayPanel(Host& host, Handle parent)
    : host_(host), parent_(parent), fonts_(displayFonts(host.codePage().isJapanese())) {
    window_ = host_.createWindow(*this);
}

DisplayPanel::~DisplayPanel() { host_.destroyWindow(window_); }

void DisplayPanel::create(DisplayView& view) {
    view_ = &view;
    Size size = kDisplaySize;
    view_->drawNow([&](Canvas& canvas) {
        Size lit = canvas.bitmapSize(kDisplayLitBitmap);
        if (lit.cx > 0 && lit.cy > 0) size = lit;
    });
    view_->resize(size);
    view_->showNameBoxes(false);
    boxes_[slot(NameBox::Disc)].tooltip = host_.codePage().toUtf8(names_[0]);
    boxes_[slot(NameBox::Track)].tooltip = kTrackNameTooltip;
    view_->setTooltip(NameBox::Disc, boxes_[slot(NameBox::Disc)].tooltip);
    view_->setTooltip(NameBox::Track, boxes_[slot(NameBox::Track)].tooltip);
}

// --- the status ---

void DisplayPanel::updateFromStatus(const link::MdStatus& s, bool failed) {
    Causes causes;
    std::array<int, kLampCount> lit{};
    bool dark = false;
    bool hidden = false;

    if (failed) {
        causes.failed = true;
    } else if (s.accessNibble() == 0) {
        dark = true;
    } else if (!s.unitReady()) {
        causes.notAccessible = true;
    } else if (s.mode == link::MODE_HIDDEN) {
        hidden = true;
    } else {
        if (auto message = link::errorMessageId(s.errorCode))
            showMessageId(*message, kErrorMessageSeconds);
        for (const SubStateLamps& row : kSubStateLamps) {
            if (row.subState != s.subState) continue;
            lit[LAMP_TOTAL] = row.total;
            lit[LAMP_REMAIN] = row.remain;
        }
        for (const ModeLamps& row : kModeLamps) {
            if (row.mode != s.mode) continue;
            lit[LAMP_PLAY] = row.play;
            lit[LAMP_PAUSE] = row.pause;
            lit[LAMP_REC] = row.rec;
        }
        lit[LAMP_AUTO_MARK] = static_cast<int>(s.flagA);
        lit[LAMP_MONO_LP] = s.flagB == 0;
        setTrackNumber(showsTrackCount(s.subState) ? s.totalTracks : s.currentTrack);
        setTime(s.minutes, s.seconds);
        causes.noDisc = s.noDisc();
    }
    causes_ = causes;

    std::string persistent;
    if (causes.failed) persistent = host_.strings().text(link::IDS_CANT_ACCESS);
    else if (causes.notAccessible) persistent = host_.strings().text(link::IDS_NOT_ACCESS);
    else if (causes.noDisc) persistent = host_.strings().text(link::IDS_NO_DISC);

    if (dark != dark_) {
        dark_ = dark;
        if (view_) view_->invalidate();
        boxesShown_ = !dark;
        if (view_) view_->showNameBoxes(boxesShown_);
    }
    if (hidden != hidden_) {
        hidden_ = hidden;
        if (view_) view_->invalidate();
    }
    if (persistent != persistent_) setPersistentMessage(persistent);
    if (causes.any() || dark) {
        if (!names_[0].empty()) setDiscName("");
        if (!names_[1].empty()) setTrackName("");
    }
    setShowText(NameBox::Disc, !hidden);
    setShowText(NameBox::Track, !hidden);
    for (int index : kLampUpdateOrder) setLamp(index, lit[static_cast<std::size_t>(index)]);
}

// --- setters ---

void DisplayPanel::setDiscName(const std::string& text) { setName(NameBox::Disc, text); }
void DisplayPanel::setTrackName(const std::string& text) { setName(NameBox::Track, text); }

void DisplayPanel::setName(NameBox box, const std::string& text) {
    std::string& name = names_[static_cast<std::size_t>(slot(box))];
    if (name == text) return;
    name = text;
    if (view_) view_->repaintNameBox(box);
    std::string& tooltip = boxes_[static_cast<std::size_t>(slot(box))].tooltip;
    tooltip = fitTooltip(host_.codePage().toUtf8(text), nameBoxRect(box).width());
    if (view_) view_->setTooltip(box, tooltip);
}

// The tooltip shows what the box may cut off; a name too wide for the box ends in "...".
std::string DisplayPanel::fitTooltip(const std::string& utf8, int boxWidth) {
    std::string fitted = utf8;
    if (!view_) return fitted;
    view_->drawNow([&](Canvas& canvas) {
        auto width = [&](const std::string& t) { return canvas.textExtent(fonts_.small, t).cx; };
        if (width(fitted) <= boxWidth - kNameBoxTextX) return;
        while (!fitted.empty() && width(fitted) >= boxWidth) dropLastUtf8Char(fitted);
        fitted += "...";
    });
    return fitted;
}

void DisplayPanel::setShowText(NameBox box, bool show) {
    bool& flag = boxes_[static_cast<std::size_t>(slot(box))].showText;
    if (flag == show) return;
    flag = show;
    if (view_) view_->repaintNameBox(box);
}

void DisplayPanel::setTrackNumber(int track) {
    if (track == track_) return;
    track_ = track;
    if (!messageShowing()) drawNow([this](Canvas& canvas) { drawTrackNumber(canvas); });
}

void DisplayPanel::setTime(int minutes, int seconds) {
    if (minutes == minutes_ && seconds == seconds_) return;
    minutes_ = minutes;
    seconds_ = seconds;
    if (!messageShowing()) drawNow([this](Canvas& canvas) { drawTime(canvas); });
}

void DisplayPanel::showMessage(const std::string& text, unsigned seconds) {
    // A message's time runs whether or not it can be seen, so one stored under a persistent
    // message does not come up later for good.
    startMessageTimer(text, seconds);
    if (!persistent_.empty()) {
        temporary_ = text;
        return;
    }
    bool had = messageShowing();
    temporary_ = text;
    redrawMessageLine(had);
}

void DisplayPanel::showMessageId(unsigned stringId, unsigned seconds) {
    showMessage(stringId == 0 ? std::string() : host_.strings().text(stringId), seconds);
}

// A message with a duration ends on timer 1; any other message stops an older one's timer, so
// a prompt is not cut short by the end of an error message before it.
void DisplayPanel::startMessageTimer(const std::string& text, unsigned seconds) {
    if (seconds != 0 && !text.empty()) host_.setTimer(window_, TIMER_MESSAGE_END, seconds * 1000);
    else host_.killTimer(window_, TIMER_MESSAGE_END);
}

void DisplayPanel::setPersistentMessage(const std::string& text) {
    bool had = messageShowing();
    persistent_ = text;
    redrawMessageLine(had);
}

// After a message came or went: the line is cleared when the last message goes (the fields do
// not cover all of it), lamps 3-6 follow, then the message or the track number and time.
void DisplayPanel::redrawMessageLine(bool hadMessage) {
    drawNow([&](Canvas& canvas) {
        if (hadMessage && !messageShowing()) canvas.fillRect(kMessageArea, kDisplayBack);
    });
    updateLampVisibility();
    drawNow([this](Canvas& canvas) {
        if (messageShowing()) drawMessageArea(canvas);
        else drawTrackAndTime(canvas);
    });
}

// Lamps 3-6 give way to a message. Those that come back are drawn again: nothing else would
// draw them before the next paint.
void DisplayPanel::updateLampVisibility() {
    const bool visible = !messageShowing();
    for (int i = kFirstMessageLamp; i < kLampCount; ++i) {
        LampState& lamp = lamps_[static_cast<std::size_t>(i)];
        if (lamp.visible == visible) continue;
        lamp.visible = visible;
        drawNow([this, i](Canvas& canvas) { drawLamp(canvas, i); });
    }
}

void DisplayPanel::setLamp(int index, int value) {
    if (index < 0 || index >= kLampCount) return;
    LampState& lamp = lamps_[static_cast<std::size_t>(index)];
    if (lamp.lit == value) return;
    lamp.lit = value;
    drawNow([this, index](Canvas& canvas) { drawLamp(canvas, index); });
}

void DisplayPanel::drawNow(const std::function<void(Canvas&)>& draw) {
    if (view_ && !dark_ && !hidden_) view_->drawNow(draw);
}

// --- name boxes ---

void DisplayPanel::nameBoxClicked(NameBox box) {
    const std::string& name = names_[static_cast<std::size_t>(slot(box))];
    if (name.empty()) return;
    pendingBox_ = box;
    pendingName_ = name;
    unsigned wait = view_ ? view_->doubleClickTimeMs() : 500;
    host_.setTimer(window_, TIMER_SINGLE_CLICK, wait);
}

void DisplayPanel::nameBoxDoubleClicked(NameBox box) {
    host_.killTimer(window_, TIMER_SINGLE_CLICK);
    host_.post(parent_, box == NameBox::Disc ? WM_EDIT_DISC_NAME : WM_EDIT_TRACK_NAME, 0, 0);
}

LResult DisplayPanel::onMessage(Msg msg, WParam wParam, LParam) {
    if (msg != WM_TIMER) return 0;
    host_.killTimer(window_, static_cast<unsigned>(wParam));
    if (wParam == TIMER_MESSAGE_END) {
        showMessage("");
    } else if (wParam == TIMER_SINGLE_CLICK && view_) {
        view_->openNamePopup(pendingBox_, host_.codePage().toUtf8(pendingName_));
    }
    return 0;
}

// --- drawing ---

void DisplayPanel::paint(Canvas& canvas) const {
    if (dark_) {
        canvas.drawBitmap(kDisplayDarkBitmap, {0, 0});
        return;
    }
    canvas.drawBitmap(kDisplayLitBitmap, {0, 0});
    if (hidden_) return;
    if (!temporary_.empty() || causes_.any()) drawMessageArea(canvas);
    else drawTrackAndTime(canvas);
    for (int i = 0; i < kLampCount; ++i) drawLamp(canvas, i);
}

void DisplayPanel::drawMessageArea(Canvas& canvas) const {
    if (!messageShowing()) {
        canvas.fillRect(kMessageArea, kDisplayBack);
        return;
    }
    const std::string& text = persistent_.empty() ? temporary_ : persistent_;
    Size extent = canvas.textExtent(fonts_.medium, text);
    Point at{kMessageArea.left + (kMessageArea.width() - extent.cx) / 2,
             kMessageArea.top + (kMessageArea.height() - extent.cy) / 2};
    drawField(canvas, kMessageArea, at, text, fonts_.medium);
}

void DisplayPanel::drawTrackNumber(Canvas& canvas) const {
    if (messageShowing() || track_ < 0) {
        canvas.fillRect(kTrackNumberArea, kDisplayBack);
        return;
    }
    std::string text = std::to_string(track_);
    Size extent = canvas.textExtent(fonts_.large, text);
    drawField(canvas, kTrackNumberArea, {kTrackNumberArea.right - extent.cx, kTrackNumberArea.top},
              text, fonts_.large);
}

void DisplayPanel::drawTime(Canvas& canvas) const {
    // Before the first time arrives there is nothing to show.
    if (messageShowing() || minutes_ < 0 || seconds_ < 0) {
        canvas.fillRect(kTimeArea, kDisplayBack);
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u", static_cast<unsigned>(minutes_),
                  static_cast<unsigned>(seconds_));
    Size extent = canvas.textExtent(fonts_.large, text);
    drawField(canvas, kTimeArea, {kTimeArea.right - extent.cx, kTimeArea.top}, text, fonts_.large);
}

void DisplayPanel::drawTrackAndTime(Canvas& canvas) const {
    drawTrackNumber(canvas);
    drawTime(canvas);
}

void DisplayPanel::drawLamp(Canvas& canvas, int index) const {
    Rect rect = lampRect(canvas, index);
    if (rect.empty()) return;  // no bitmap
    const LampState& lamp = lamps_[static_cast<std::size_t>(index)];
    if (lamp.lit != 0 && lamp.visible) canvas.drawBitmap(kLamps[static_cast<std::size_t>(index)].bitmap,
                                                         {rect.left, rect.top});
    else canvas.fillRect(rect, kDisplayBack);
}

void DisplayPanel::paintNameBox(Canvas& canvas, NameBox box) const {
    const Rect bounds{0, 0, nameBoxRect(box).width(), nameBoxRect(box).height()};
    const NameBoxState& state = boxes_[static_cast<std::size_t>(slot(box))];
    std::string text =
        state.showText ? host_.codePage().toUtf8(names_[static_cast<std::size_t>(slot(box))]) : "";
    Size extent = canvas.textExtent(fonts_.small, text);
    int y = std::max(0, (bounds.height() - extent.cy) / 2);
    canvas.drawText({kNameBoxTextX, y}, text, TextStyle{fonts_.small, kDisplayText, kDisplayBack},
                    TextOptions{bounds, std::nullopt});
    canvas.frameRect(bounds, kDisplayText);
}

}  // namespace tovik::ui
