#pragma once
// The disc's editing from the main panel: the name changes that start from the display (0xD00,
// 0xD01), the TOCEDIT popup (menu 119) with its confirmation mode, and the track list editor
// that "Edit Track..." opens once the full read cycle has read every name. It joins the panel
// through PanelDiscHooks and shows itself through the panel's view.
//
// Confirmation mode: a command chosen from the popup hides the transport and recording
// buttons, asks its question on the display's message line and shows OK and CANCEL (and UP and
// DOWN for MOVE) in their place. Only OK sends the command, and only for the track the question
// named: if the deck has gone to another track since (another program using the card), OK sends
// nothing and says so, and the person chooses again.

#include <cstdint>
#include <vector>

#include "controller/disc/name_change.h"
#include "controller/disc/name_dialog.h"
#include "controller/disc/track_list_editor.h"
#include "controller/disc/wait_box.h"
#include "controller/ui/controller_panel.h"
#include "controller/ui/panel_disc_hooks.h"

namespace tovik::ui {

// Menu 119 and its commands.
constexpr unsigned kEditMenuId = 119;
enum EditMenuCommand : unsigned {
    ID_ERASE = 32771,
    ID_ALL_ERASE = 32772,
    ID_MOVE = 32773,
    ID_COMBINE = 32774,
    ID_DIVIDE = 32775,
    ID_EDIT_TRACK = 32779,
};

// The dialogs on screen.
struct EditingViews {
    disc::NameDialogView& nameDialog;
    disc::WaitBoxView& waitBox;
    disc::TrackListEditorView& trackListEditor;
};

class PanelEditing : public PanelEditingHooks {
public:
    PanelEditing(Host& host, ControllerPanel& panel, PanelDiscHooks& disc, const EditingViews& views);
    ~PanelEditing() override;
    PanelEditing(const PanelEditing&) = delete;
    PanelEditing& operator=(const PanelEditing&) = delete;

    // --- PanelEditingHooks ---
    bool handle(Msg msg, WParam wParam, LParam lParam) override;
    bool click(int controlId) override;

    // The controller is ending: every editing dialog still open goes, as Cancel would.
    void endDialogs();

    // The popup's commands, enabled as the state in force allows.
    std::vector<PopupMenuItem> popupItems() const;

    // --- state, for the tests ---
    bool confirming() const { return pending_ != 0; }
    unsigned pendingCommand() const { return pending_; }
    int moveTarget() const { return moveTarget_; }
    int combineFirst() const { return combineFirst_; }
    // What the track list editor last ended with (kEditorCardGone, or its dialog result).
    int lastEditorResult() const { return lastEditorResult_; }
    disc::NameDialog& nameDialog() { return nameDialog_; }
    disc::WaitBox& waitBox() { return waitBox_; }
    disc::TrackListEditor& trackListEditor() { return editor_; }
    const disc::NameChange& nameChange() const { return nameChange_; }

private:
    void openPopup();
    void choose(unsigned id);
    void ask();
    void stepMoveTarget(int step);
    void confirm();
    void leaveConfirmation();
    void showTransport(bool shown);
    void openTrackListEditor();

    Host& host_;
    ControllerPanel& panel_;
    PanelDiscHooks& disc_;
    disc::NameDialog nameDialog_;
    disc::WaitBox waitBox_;
    disc::NameChange nameChange_;
    disc::TrackListEditor editor_;

    unsigned pending_ = 0;   // the command awaiting OK; 0 = none
    int moveTarget_ = 1;     // MOVE's destination, 1 .. track count
    int combineFirst_ = 1;   // COMBINE's first track
    int askedTrack_ = 0;     // the current track when the question was (last) shown
    int lastEditorResult_ = -1;
};

}  // namespace tovik::ui
