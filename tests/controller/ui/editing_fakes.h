#pragma once
// The editing dialogs and the panel's view for tests: they record what they are told to show,
// and run a script when a dialog opens, so a test can act as the person in front of a modal
// dialog (the fake host's modal loop runs the script on the virtual clock).

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controller/disc/name_dialog.h"
#include "controller/disc/track_list_editor.h"
#include "controller/disc/wait_box.h"
#include "controller/ui/controller_panel.h"
#include "controller/ui/repeat_button.h"
#include "platform/fake/fake_host.h"

namespace tovik::test {

class FakeNameDialogView : public disc::NameDialogView {
public:
    void show(const std::string& c, const std::string& name) override {
        shown = true;
        ++shows;
        caption = c;
        field = name;
        if (onShow) onShow();
    }
    std::string text() const override { return field; }
    void setText(const std::string& t) override { field = t; }
    void hide() override { shown = false; }

    bool shown = false;
    int shows = 0;
    std::string caption;
    std::string field;
    std::function<void()> onShow;
};

class FakeWaitBoxView : public disc::WaitBoxView {
public:
    void show(const std::string& c, const std::string& t) override {
        shown = true;
        ++shows;
        caption = c;
        text = t;
        if (onShow) onShow();
    }
    void hide() override { shown = false; }

    bool shown = false;
    int shows = 0;
    std::string caption, text;
    std::function<void()> onShow;
};

// The editor's dialog: a list that shows `visible` rows, and the skinned move keys made the way
// the dialog on screen makes them.
class FakeEditorView : public disc::TrackListEditorView {
public:
    explicit FakeEditorView(fake::FakeHost& host) : host_(host) {}

    void open(disc::TrackListEditor& editor) override {
        shown = true;
        ++opens;
        buttons.clear();
        for (const disc::EditorRepeatButton& b : disc::kEditorRepeatButtons) {
            auto button = std::make_unique<ui::RepeatButton>(host_, host_, b.id, b.caption);
            button->setParent(editor.window());
            button->setAutoRepeat(b.autoRepeat);
            if (b.autoRepeat) button->setRepeatPeriod(b.periodMs);
            buttons[b.id] = std::move(button);
        }
        if (onOpen) onOpen(editor);
    }
    void close() override {
        shown = false;
        buttons.clear();
    }
    void setRows(const std::vector<std::string>& r) override { rows = r; }
    void replaceRow(int row, const std::string& text) override { rows.at(row) = text; }
    void removeRow(int row) override { rows.erase(rows.begin() + row); }
    void insertRow(int row, const std::string& text) override { rows.insert(rows.begin() + row, text); }
    void setSelection(int row) override { selection = row; }
    void setMark(int row) override { mark = row; }
    int topRow() const override { return top; }
    int visibleRows() const override { return visible; }
    void setTopRow(int row) override { top = row; }
    void setDiscName(const std::string& text) override { discName = text; }
    void enableControl(int id, bool on) override { enabled[id] = on; }

    bool shown = false;
    int opens = 0;
    std::vector<std::string> rows;
    int selection = -1, mark = -1, top = 0, visible = 4;
    std::string discName;
    std::map<int, bool> enabled;
    std::map<int, std::unique_ptr<ui::RepeatButton>> buttons;
    std::function<void(disc::TrackListEditor&)> onOpen;

private:
    fake::FakeHost& host_;
};

// The panel's window: which controls show, the display's message line, and the popup, which
// answers with `popupChoice`.
class RecordingPanelView : public ui::PanelView {
public:
    void controlShown(int id, bool shown) override { visible[id] = shown; }
    void displayMessage(const std::string& text) override { messages.push_back(text); }
    unsigned popupMenu(const std::vector<ui::PopupMenuItem>& items, int anchor) override {
        popups.push_back(items);
        anchors.push_back(anchor);
        return popupChoice;
    }
    // A control never hidden counts as shown; 1023-1026 start hidden.
    bool isShown(int id) const {
        auto it = visible.find(id);
        return it != visible.end() ? it->second : !(id >= 1023 && id <= 1026);
    }
    const std::string& messageLine() const {
        static const std::string none;
        return messages.empty() ? none : messages.back();
    }
    bool enabledItem(unsigned id) const {
        const auto& items = popups.back();
        auto it = std::find_if(items.begin(), items.end(), [id](const auto& i) { return i.id == id; });
        return it != items.end() && it->enabled;
    }

    std::map<int, bool> visible;
    std::vector<std::string> messages;
    std::vector<std::vector<ui::PopupMenuItem>> popups;
    std::vector<int> anchors;
    unsigned popupChoice = 0;
};

}  // namespace tovik::test
