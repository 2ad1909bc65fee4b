#pragma once
// The panel with its disc hooks and its editing, against the simulated unit in-process, with the
// editing dialogs and the panel's view recorded (editing_fakes.h).

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cardsim/in_process_driver.h"
#include "controller/link/md_commands.h"
#include "controller/ui/controller_panel.h"
#include "controller/ui/panel_disc_hooks.h"
#include "controller/ui/panel_editing.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/controller/disc/fake_progress_window.h"
#include "tests/controller/ui/editing_fakes.h"

namespace tovik::test {

class EditingFixture : public ::testing::Test {
protected:
    explicit EditingFixture(Language language = Language::English)
        : host(resources::rotelaStrings(), language) {
        panel.setView(&view);
        panel.setHooks(&hooks);
    }
    ~EditingFixture() override {
        panel.setHooks(nullptr);
        panel.setView(nullptr);
    }

    void start(const std::string& discJson) {
        ASSERT_EQ(driver.loadDiscJson(discJson), "");
        ASSERT_TRUE(panel.initialise());
        host.advance(5000);  // the unit reads its table of contents; the first names come in
    }

    // "Edit Track..." from the popup; the script runs when the editor's dialog opens. Returns
    // once the editor has closed again.
    void openEditor(std::function<void(disc::TrackListEditor&)> script) {
        editorView.onOpen = [this, script](disc::TrackListEditor& e) {
            editorOpenedAt = host.nowMs();
            script(e);
        };
        view.popupChoice = ui::ID_EDIT_TRACK;
        const int before = editorView.opens;
        panel.click(link::IDC_TOCEDIT);
        for (int i = 0; i < 600 && (editorView.opens == before || editorView.shown); ++i)
            host.advance(100);
        ASSERT_GT(editorView.opens, before) << "the editor never opened";
        ASSERT_FALSE(editorView.shown) << "the editor never closed";
    }

    // The person types a name into the name dialog now showing and presses OK.
    void typeName(const std::string& utf8) {
        host.at(0, [this, utf8] {
            nameView.field = utf8;
            editing.nameDialog().ok();
        });
    }

    std::vector<std::string> boxTexts() const {
        std::vector<std::string> out;
        for (const auto& b : host.shownBoxes) out.push_back(b.text);
        return out;
    }

    fake::FakeHost host;
    card::InProcessCardDriver driver{host};
    ui::ControllerPanel panel{host, driver};
    FakeProgressWindow progress{&host};
    ui::PanelDiscHooks hooks{host, panel, progress};
    RecordingPanelView view;
    FakeNameDialogView nameView;
    FakeWaitBoxView waitView;
    FakeEditorView editorView{host};
    ui::PanelEditing editing{host, panel, hooks, {nameView, waitView, editorView}};
    std::uint64_t editorOpenedAt = 0;
};

}  // namespace tovik::test
