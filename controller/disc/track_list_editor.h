#pragma once
// The track list editor (template 166, "Edit Track list"): every track's name in a list that
// ends in the row "^^" (the end of the disc), the disc's name, and the buttons that rename
// tracks and the disc, delete a track and move one. A move is aimed with a mark, the yellow
// arrow that MOVEUP and MOVEDOWN walk up and down the list: MOVE puts the selected track where
// the mark is.
//
// It runs modally after a full read cycle and borrows the link meanwhile: the card's answers
// come to its own window. Every request has a time-out; the disc leaving ends the editor
// ("MD removed!"), the card leaving ends the controller (result 99). Behaviour only: the
// dialog on screen shows what it says and hands it its input.

#include <cstdint>
#include <string>
#include <vector>

#include "controller/disc/name_dialog.h"
#include "controller/disc/wait_box.h"
#include "controller/link/md_comm_wnd.h"
#include "controller/link/md_status.h"
#include "platform/host.h"

namespace tovik::disc {

enum TrackListEditorControl : int {
    IDC_EDITOR_EXIT = 1,
    IDC_EDITOR_CANCEL = 2,  // Escape and the window's close box
    IDC_TRACK_LIST = 1037,
    IDC_MOVEUP = 1038,
    IDC_MOVEDOWN = 1039,
    IDC_DEL = 1040,
    IDC_CHANGE_TRACK = 1041,
    IDC_DISC_NAME_FIELD = 1044,
    IDC_MOVE = 1047,
    IDC_CHANGE_DISC = 1049,
};

// Timers on the editor's window.
enum TrackListEditorTimer : unsigned {
    TIMER_LEVEL_POLL = 1,       // 1000 ms: level status, which shows whether the disc is still in
    TIMER_COMMAND_TIMEOUT = 3,  // 10000 ms: DEL, MOVE, and the status after a name write
    TIMER_WRITE_TIMEOUT = 4,    // 10000 ms: a name write
};
constexpr unsigned kLevelPollMs = 1000;
constexpr unsigned kEditorTimeoutMs = 10000;

// The editor's result when the card has gone and the controller must end.
constexpr int kEditorCardGone = 99;

// The skinned buttons of the editor: the move keys repeat every 50 ms while held.
struct EditorRepeatButton {
    int id;
    const char* caption;  // the images' name
    bool autoRepeat;
    unsigned periodMs;
};
inline constexpr EditorRepeatButton kEditorRepeatButtons[] = {
    {IDC_MOVEUP, "MOVEUP", true, 50},
    {IDC_MOVEDOWN, "MOVEDOWN", true, 50},
    {IDC_DEL, "DEL", false, 0},
};

class TrackListEditor;

// The dialog on screen. Rows are UTF-8; the row numbers are the list's, from 0.
class TrackListEditorView {
public:
    virtual ~TrackListEditorView() = default;
    // Creates and shows the dialog; its input goes to the editor.
    virtual void open(TrackListEditor& editor) = 0;
    virtual void close() = 0;
    virtual void setRows(const std::vector<std::string>& rows) = 0;
    virtual void replaceRow(int row, const std::string& text) = 0;
    virtual void removeRow(int row) = 0;
    virtual void insertRow(int row, const std::string& text) = 0;
    // -1: no selection. The view does not report a selection it was told.
    virtual void setSelection(int row) = 0;
    // -1: no mark. Redraws the row it leaves and the row it reaches.
    virtual void setMark(int row) = 0;
    virtual int topRow() const = 0;
    virtual int visibleRows() const = 0;
    virtual void setTopRow(int row) = 0;
    virtual void setDiscName(const std::string& text) = 0;
    virtual void enableControl(int id, bool enabled) = 0;
};

class TrackListEditor : private MessageTarget {
public:
    struct Result {
        int code = 0;  // kEditorCardGone, or the dialog's result
        std::vector<std::string> names;  // the tracks' names as the list ended (display form)
        int count = 0;
    };

    TrackListEditor(Host& host, link::CMdCommWnd& link, const link::MdStatus& status,
                    NameDialog& nameDialog, WaitBox& waitBox, TrackListEditorView& view);
    ~TrackListEditor();
    TrackListEditor(const TrackListEditor&) = delete;
    TrackListEditor& operator=(const TrackListEditor&) = delete;

    // Runs the editor on the names (display form, code page) and the disc's name; the link is
    // the editor's until it closes and then goes back to owner.
    Result run(const std::vector<std::string>& names, const std::string& discName, Handle owner);

    // --- input from the dialog ---
    // A button (also reaches the editor as WM_COMMAND on its window).
    void command(int id);
    void rowSelected(int row);
    // Acts as Change... (1041) on the row, when that button is enabled.
    void rowDoubleClicked(int row);
    // The controller is ending: the editor closes (IDCANCEL) with whatever it is waiting for.
    void abandon() { finish(IDCANCEL); }

    LResult onMessage(Msg msg, WParam wParam, LParam lParam) override;

    // --- state, for the dialog and the tests ---
    Handle window() const { return window_; }
    bool isOpen() const { return open_; }
    // Code-page rows, the last one "^^".
    const std::vector<std::string>& rows() const { return rows_; }
    int selection() const { return selection_; }
    int mark() const { return mark_; }
    bool enabled(int id) const;
    const std::string& discName() const { return discName_; }
    bool writePending() const { return writePending_; }
    std::uint8_t listOpPending() const { return listOp_; }
    bool cardFailed() const { return cardFailed_; }

private:
    int trackRows() const { return static_cast<int>(rows_.size()) - 1; }
    bool trackSelected() const { return selection_ >= 0 && selection_ < trackRows(); }
    void select(int row);
    void setMark(int row);
    void scrollToMark();
    void updateButtons();

    void moveMark(int step);
    void changeTrackName(int row);
    void changeDiscName();
    void writeName(std::uint32_t kind, int index, unsigned captionId, const std::string& name);
    void deleteTrack();
    void moveTrack();
    void startListOp(std::uint8_t op);

    void nameWritten(WParam result, LParam record);
    void statusAfterOperation(WParam result);
    void levelPoll();
    void levelStatus();
    void timedOut(unsigned timer);
    void discRemoved();
    void cardGone();
    void finish(int code);
    bool boxOpen() const;
    // A message box of the editor; IDCANCEL when the editor has ended meanwhile.
    int box(const std::string& text, Buttons buttons, Icon icon);
    template <typename... Args>
    int boxId(unsigned id, Buttons buttons, Icon icon, Args... args) {
        return box(host_.strings().format(id, args...), buttons, icon);
    }

    Host& host_;
    link::CMdCommWnd& link_;
    const link::MdStatus& status_;
    NameDialog& nameDialog_;
    WaitBox& waitBox_;
    TrackListEditorView& view_;
    Handle window_;

    bool open_ = false;
    bool ended_ = false;
    std::vector<std::string> rows_;
    std::string discName_;
    int selection_ = -1;
    int mark_ = -1;
    bool writePending_ = false;
    std::uint32_t writtenKind_ = 0;
    std::uint32_t writtenIndex_ = 0;
    std::string writtenText_;
    std::uint8_t listOp_ = 0;  // 0, 33 (DEL) or 35 (MOVE)
    int deletedRow_ = -1;
    int movedRow_ = -1;
    int moveShift_ = 0;
    bool pollPending_ = false;
    bool cardFailed_ = false;
    bool boxOpen_ = false;
    bool removalReported_ = false;
    std::vector<std::pair<int, bool>> enabled_;
};

}  // namespace tovik::disc
