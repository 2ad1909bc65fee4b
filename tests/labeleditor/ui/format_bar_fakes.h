#pragma once
// Stand-ins for the format bar's screen: two combo boxes that share one keyboard focus and
// report what a person does to them, and a scripted list of the system's fonts.
#include <map>
#include <string>
#include <vector>

#include "labeleditor/ui/font_setting_bar.h"

namespace tovik::label::test {

class FakeFonts : public FontEnumerator {
public:
    std::vector<ReportedFont> allFaces() const override { return faces; }
    std::optional<FaceSizes> sizesOf(const std::string& face) const override {
        for (const ReportedFont& f : faces)
            if (f.name == face) {
                if (f.kind != ReportedFont::Kind::Raster) return FaceSizes{true, {}};
                auto it = rasterSizes.find(face);
                return FaceSizes{false, it == rasterSizes.end() ? std::vector<int>{} : it->second};
            }
        return std::nullopt;
    }
    void add(std::string name, std::string script, std::uint8_t charSet, std::uint8_t pitch = 0x22,
             ReportedFont::Kind kind = ReportedFont::Kind::TrueType) {
        faces.push_back({std::move(name), std::move(script), charSet, pitch, kind});
    }

    std::vector<ReportedFont> faces;
    std::map<std::string, std::vector<int>> rasterSizes;
};

class FakeBarScreen;

class FakeCombo : public ComboControl {
public:
    explicit FakeCombo(FakeBarScreen& screen) : screen_(screen) {}

    void setItems(const std::vector<std::string>& texts) override {
        items = texts;
        selected = -1;
        edit.clear();
    }
    int selection() const override { return selected; }
    void select(int index) override {
        selected = index;
        edit = index >= 0 ? items.at(static_cast<std::size_t>(index)) : std::string();
    }
    std::string editText() const override { return edit; }
    void setEditText(const std::string& text) override { edit = text; }
    bool hasFocus() const override;
    void setFocus() override;
    bool isListOpen() const override { return open; }
    void openList() override;

    std::vector<std::string> items;
    int selected = -1;
    std::string edit;
    bool open = false;

private:
    FakeBarScreen& screen_;
};

// The bar with its two boxes; the focus moves between the boxes and "the view" (nullptr).
class FakeBarScreen {
public:
    FakeCombo face{*this};
    FakeCombo size{*this};
    FakeCombo* focus = nullptr;
    CFontSettingBar* bar = nullptr;

    void moveFocus(FakeCombo* to) {
        FakeCombo* from = focus;
        if (from == to) return;
        focus = to;
        if (from == &face) bar->OnFaceKillFocus();
        if (from == &size) bar->OnSizeKillFocus();
        if (to) bar->OnSetFocus();
    }
    // A person types into a box (which takes the focus first).
    void type(FakeCombo& box, const std::string& text) {
        moveFocus(&box);
        box.edit = text;
        box.selected = -1;
    }
    // Types into a box and leaves it for the view.
    void enter(FakeCombo& box, const std::string& text) {
        type(box, text);
        moveFocus(nullptr);
    }
    // A key press as the box's owner sees it first; true when the bar took it.
    bool press(FakeCombo& box, BarKey key, bool alt = false, bool control = false) {
        CBarCombo& combo = &box == &face ? static_cast<CBarCombo&>(bar->faceCombo()) : bar->sizeCombo();
        return combo.preTranslateKey(key, alt, control);
    }
    // Clicks an item of the open list: it is selected, the list closes.
    void choose(FakeCombo& box, int index) {
        box.select(index);
        box.open = false;
        bar->OnCloseUp();
    }
};

inline bool FakeCombo::hasFocus() const { return screen_.focus == this; }
inline void FakeCombo::setFocus() { screen_.moveFocus(this); }
inline void FakeCombo::openList() {
    if (this == &screen_.size) screen_.bar->OnSizeDropDown();
    open = true;
}

}  // namespace tovik::label::test
