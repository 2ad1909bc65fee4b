#pragma once
// The display's window for tests: immediate drawing goes to a recording canvas, and everything
// else the display asks of its window is remembered.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controller/ui/display_panel.h"
#include "platform/fake/recording_canvas.h"
#include "tests/support/skin_canvas.h"

namespace tovik::test {

// The display's parent: what the display posts to it.
struct ParentWindow : MessageTarget {
    std::vector<Msg> received;
    LResult onMessage(Msg msg, WParam, LParam) override {
        received.push_back(msg);
        return 0;
    }
};

class RecordingDisplayView : public ui::DisplayView {
public:
    RecordingDisplayView() { addRotelaBitmaps(canvas); }

    void resize(Size s) override { size = s; }
    void invalidate() override { ++invalidations; }
    void drawNow(const std::function<void(Canvas&)>& draw) override { draw(canvas); }
    void showNameBoxes(bool visible) override { boxesVisible = visible; }
    void repaintNameBox(ui::NameBox box) override { boxRepaints.push_back(box); }
    void setTooltip(ui::NameBox box, const std::string& utf8) override {
        tooltips.emplace_back(box, utf8);
    }
    void openNamePopup(ui::NameBox box, const std::string& utf8) override {
        popups.emplace_back(box, utf8);
    }
    unsigned doubleClickTimeMs() const override { return doubleClickMs; }

    fake::RecordingCanvas canvas;
    Size size;
    int invalidations = 0;
    std::optional<bool> boxesVisible;
    std::vector<ui::NameBox> boxRepaints;
    std::vector<std::pair<ui::NameBox, std::string>> tooltips;
    std::vector<std::pair<ui::NameBox, std::string>> popups;
    unsigned doubleClickMs = 400;
};

}  // namespace tovik::test
