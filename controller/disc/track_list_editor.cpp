#include "controller/disc/track_list_editor.h"

#include <algorithm>

#include "controller/disc/disc_name_reader.h"
#include "controller/disc/editing_texts.h"
#include "controller/link/md_commands.h"
#include "controller/link/unit_messages.h"

namespace tovik::disc {

namespace {

// The last row: the end of the disc, where a move can aim but nothing can be done to.
constexpr const char* kEndRow = "^^";

// The buttons whose state follows the selection and the mark.
constexpr int kFollowingControls[] = {IDC_MOVEUP, IDC_MOVEDOWN, IDC_DEL, IDC_CHANGE_TRACK, IDC_MOVE};

}  // namespace

TrackListEditor::TrackListEditor(Host& host, link::CMdCommWnd& link, const link::MdStatus& status,
                                 NameDialog& nameDialog, WaitBox& waitBox,
                                 TrackListEditorView& view)
    : host_(host),
      link_(link),
      status_(status),
      nameDialog_(nameDialog),
      waitBox_(waitBox),
      view_(view),
      window_(host.createWindow(*this)) {}

TrackListEditor::~TrackListEditor() { host_.destroyWindow(window_); }

TrackListEditor::Result TrackListEditor::run(const std::vector<std::string>& names,
                                             const std::string& discName, Handle owner) {
    if (open_) return {IDCANCEL, names, static_cast<int>(names.size())};
    open_ = true;
    ended_ = false;
    rows_ = names;
    rows_.push_back(kEndRow);
    discName_ = discName;
    selection_ = -1;
    mark_ = -1;
    writePending_ = false;
    listOp_ = 0;
    pollPending_ = false;
    cardFailed_ = false;
    boxOpen_ = false;
    removalReported_ = false;
    enabled_.clear();

    link_.SetOwner(window_);
    const CodePage& page = host_.codePage();
    std::vector<std::string> shown;
    for (const std::string& row : rows_) shown.push_back(page.toUtf8(row));
    view_.open(*this);
    view_.setRows(shown);
    view_.setDiscName(page.toUtf8(discName_));
    view_.setMark(-1);
    select(0);
    host_.setTimer(window_, TIMER_LEVEL_POLL, kLevelPollMs);

    const int code = host_.runModal(window_);

    for (unsigned id : {TIMER_LEVEL_POLL, TIMER_COMMAND_TIMEOUT, TIMER_WRITE_TIMEOUT})
        host_.killTimer(window_, id);
    view_.close();
    link_.SetOwner(owner);
    open_ = false;
    Result result;
    result.code = code;
    result.names.assign(rows_.begin(), rows_.end() - 1);
    result.count = trackRows();
    return result;
}

// ---------------------------------------------------------------- the list and its buttons

bool TrackListEditor::enabled(int id) const {
    for (const auto& [control, on] : enabled_)
        if (control == id) return on;
    return std::find(std::begin(kFollowingControls), std::end(kFollowingControls), id) ==
           std::end(kFollowingControls);
}

void TrackListEditor::updateButtons() {
    const int n = static_cast<int>(rows_.size());
    const bool track = trackSelected();
    const int s = selection_;
    const int m = mark_ >= 0 ? mark_ : s;
    const std::pair<int, bool> states[] = {
        {IDC_MOVEUP, track && m > 0},
        {IDC_MOVEDOWN, track && m < n - 1},
        {IDC_DEL, track},
        {IDC_CHANGE_TRACK, track},
        {IDC_MOVE, track && m != s && m != s + 1 && m < n},
    };
    for (const auto& [id, on] : states) {
        auto it = std::find_if(enabled_.begin(), enabled_.end(), [id](const auto& e) { return e.first == id; });
        if (it != enabled_.end() && it->second == on) continue;
        if (it == enabled_.end()) enabled_.emplace_back(id, on);
        else it->second = on;
        view_.enableControl(id, on);
    }
}

void TrackListEditor::select(int row) {
    selection_ = row;
    view_.setSelection(row);
    updateButtons();
}

void TrackListEditor::setMark(int row) {
    if (row == mark_) return;
    mark_ = row;
    view_.setMark(row);
}

void TrackListEditor::scrollToMark() {
    const int top = view_.topRow();
    const int visible = std::max(1, view_.visibleRows());
    if (mark_ <= top) {
        view_.setTopRow(std::max(0, mark_ - 1));  // the row above the mark shows too
    } else if (mark_ > top + visible - 1) {
        view_.setTopRow(mark_ - visible + 1);  // the mark becomes the last row in view
    }
}

void TrackListEditor::rowSelected(int row) {
    if (!open_ || ended_) return;
    if (row < -1 || row >= static_cast<int>(rows_.size())) row = -1;
    selection_ = row;
    setMark(-1);
    updateButtons();
}

void TrackListEditor::rowDoubleClicked(int row) {
    if (!open_ || ended_) return;
    if (row != selection_) rowSelected(row);
    command(IDC_CHANGE_TRACK);
}

// ---------------------------------------------------------------- commands

void TrackListEditor::command(int id) {
    if (!open_ || ended_) return;
    // The dialog is modal behind a box, a name dialog or the wait box; a repeat that slips
    // through meanwhile is dropped.
    if (writePending_ || listOp_ != 0 || boxOpen() || nameDialog_.isOpen() || waitBox_.shown())
        return;
    if (!enabled(id)) return;
    switch (id) {
        case IDC_EDITOR_EXIT: finish(IDOK); break;
        case IDC_EDITOR_CANCEL: finish(IDCANCEL); break;
        case IDC_MOVEUP: moveMark(-1); break;
        case IDC_MOVEDOWN: moveMark(+1); break;
        case IDC_DEL: deleteTrack(); break;
        case IDC_MOVE: moveTrack(); break;
        case IDC_CHANGE_TRACK: changeTrackName(selection_); break;
        case IDC_CHANGE_DISC: changeDiscName(); break;
        default: break;
    }
}

void TrackListEditor::moveMark(int step) {
    const int from = mark_ >= 0 ? mark_ : selection_;
    const int to = from + step;
    if (to < 0 || to >= static_cast<int>(rows_.size())) return;
    setMark(to);
    scrollToMark();
    updateButtons();
}

void TrackListEditor::changeTrackName(int row) {
    const std::string name = rows_[static_cast<std::size_t>(row)];
    writeName(link::NAME_TRACK, row + 1, IDS_TRACK_NAME_CAPTION, name);
}

void TrackListEditor::changeDiscName() {
    const std::string name = discName_;
    writeName(link::NAME_DISC, 0, IDS_DISC_NAME_CAPTION, name);
}

void TrackListEditor::writeName(std::uint32_t kind, int index, unsigned captionId,
                                const std::string& name) {
    const std::optional<NameEntry> entry = nameDialog_.run(captionId, name);
    if (!entry || ended_) return;
    if (!link_.WriteName(kind, static_cast<std::uint32_t>(index), entry->disc)) return;
    writePending_ = true;
    // The time-out runs from the request, so that it can end the wait box.
    host_.setTimer(window_, TIMER_WRITE_TIMEOUT, kEditorTimeoutMs);
    waitBox_.run();
}

void TrackListEditor::deleteTrack() {
    const int row = selection_;
    setMark(-1);
    updateButtons();
    if (boxId(IDS_ASK_DELETE_TRACK, Buttons::OkCancel, Icon::Exclamation, row + 1) != IDOK) return;
    // A refused request starts nothing to wait for; the level poll tells whether the card went.
    if (!link_.SendCommand(link::MDCMD_ERASE, static_cast<std::uint8_t>(row + 1), 0, 0, 0)) return;
    deletedRow_ = row;
    startListOp(link::MDCMD_ERASE);
}

void TrackListEditor::moveTrack() {
    const int s = selection_;
    const int m = mark_;
    const int from = s + 1;
    const int to = s < m ? m : m + 1;
    if (boxId(IDS_ASK_MOVE_TRACK, Buttons::OkCancel, Icon::Exclamation, from, to) != IDOK) return;
    if (!link_.SendCommand(link::MDCMD_MOVE, static_cast<std::uint8_t>(from),
                           static_cast<std::uint8_t>(to), 0, 0))
        return;
    movedRow_ = s;
    moveShift_ = m > s ? m - s - 1 : m - s;
    startListOp(link::MDCMD_MOVE);
}

void TrackListEditor::startListOp(std::uint8_t op) {
    listOp_ = op;
    host_.setTimer(window_, TIMER_COMMAND_TIMEOUT, kEditorTimeoutMs);
    waitBox_.run();
}

// ---------------------------------------------------------------- answers and timers

LResult TrackListEditor::onMessage(Msg msg, WParam wParam, LParam lParam) {
    if (!open_ || ended_) return 0;
    switch (msg) {
        case WM_COMMAND: command(static_cast<int>(wParam & 0xFFFF)); break;
        case WM_TIMER:
            if (wParam == TIMER_LEVEL_POLL) levelPoll();
            else if (wParam == TIMER_COMMAND_TIMEOUT || wParam == TIMER_WRITE_TIMEOUT) timedOut(static_cast<unsigned>(wParam));
            else host_.killTimer(window_, static_cast<unsigned>(wParam));
            break;
        case link::WM_MD_NAME_WRITTEN: nameWritten(wParam, lParam); break;
        case link::WM_MD_STATUS_A: statusAfterOperation(wParam); break;
        case link::WM_MD_STATUS_B: levelStatus(); break;
        default: break;
    }
    return 0;
}

void TrackListEditor::nameWritten(WParam result, LParam record) {
    host_.killTimer(window_, TIMER_WRITE_TIMEOUT);
    const std::optional<link::MdNameTransfer> written =
        result == 0 ? link_.nameRecord(record) : std::nullopt;
    if (!written) {
        writePending_ = false;
        waitBox_.close();
        boxId(IDS_CANT_CHANGE_TEXT, Buttons::Ok, Icon::Stop);
        return;
    }
    // The unit took the name; the status that follows says whether it keeps it.
    writtenKind_ = written->kind;
    writtenIndex_ = written->index;
    writtenText_ = DiscNameReader::nameText(*written, host_.strings().language());
    link_.GetStatus();  // refused: the time-out below reports it
    host_.setTimer(window_, TIMER_COMMAND_TIMEOUT, kEditorTimeoutMs);
}

void TrackListEditor::statusAfterOperation(WParam result) {
    host_.killTimer(window_, TIMER_COMMAND_TIMEOUT);
    if (link_.NoDisc() && !boxOpen()) {
        discRemoved();
        return;
    }
    const bool failed = result != 0 || status_.errorCode != 0;
    const CodePage& page = host_.codePage();
    unsigned failure = 0;
    if (writePending_) {
        writePending_ = false;
        if (failed) {
            failure = IDS_CANT_CHANGE_TEXT;
        } else if (writtenKind_ == link::NAME_TRACK) {
            const int row = static_cast<int>(writtenIndex_) - 1;
            if (row >= 0 && row < trackRows()) {
                rows_[static_cast<std::size_t>(row)] = writtenText_;
                view_.replaceRow(row, page.toUtf8(writtenText_));
                select(row);
            }
        } else {
            discName_ = writtenText_;
            view_.setDiscName(page.toUtf8(discName_));
        }
    }
    if (listOp_ != 0) {
        if (failed) {
            failure = IDS_CANT_EDIT_DATA;
        } else if (listOp_ == link::MDCMD_MOVE) {
            const int from = movedRow_;
            const int to = movedRow_ + moveShift_;
            if (from >= 0 && from < trackRows() && to >= 0 && to < trackRows()) {
                const std::string text = rows_[static_cast<std::size_t>(from)];
                rows_.erase(rows_.begin() + from);
                rows_.insert(rows_.begin() + to, text);
                view_.removeRow(from);
                view_.insertRow(to, page.toUtf8(text));
                select(to);
            }
        } else if (deletedRow_ >= 0 && deletedRow_ < trackRows()) {
            rows_.erase(rows_.begin() + deletedRow_);
            view_.removeRow(deletedRow_);
            const int tracks = trackRows();
            // The row that took the deleted one's place, or the new last track.
            select(tracks > 0 ? std::min(deletedRow_, tracks - 1) : -1);
        }
        setMark(-1);
        updateButtons();
        listOp_ = 0;
    }
    waitBox_.close();
    if (failure != 0) boxId(failure, Buttons::Ok, Icon::Stop);
}

void TrackListEditor::levelPoll() {
    if (link_.GetMeterStatus()) {
        pollPending_ = true;
        return;
    }
    pollPending_ = false;
    cardFailed_ = true;
    // With a box showing, the card's loss is told when it closes (no box over a box).
    if (!boxOpen()) cardGone();
}

void TrackListEditor::levelStatus() {
    pollPending_ = false;
    host_.setTimer(window_, TIMER_LEVEL_POLL, kLevelPollMs);
    if (link_.NoDisc() && !boxOpen()) discRemoved();
}

void TrackListEditor::timedOut(unsigned timer) {
    host_.killTimer(window_, timer);
    const bool pending = writePending_ || (timer == TIMER_COMMAND_TIMEOUT && listOp_ != 0);
    if (!pending) return;
    writePending_ = false;
    listOp_ = 0;
    waitBox_.close();
    boxId(link::IDS_TIMEOUT, Buttons::Ok, Icon::Stop);
}

void TrackListEditor::discRemoved() {
    writePending_ = false;
    listOp_ = 0;
    waitBox_.close();
    nameDialog_.cancel();
    if (!removalReported_) {
        removalReported_ = true;
        boxId(IDS_DISC_REMOVED, Buttons::Ok, Icon::Stop);
    }
    finish(0);
}

void TrackListEditor::cardGone() {
    if (ended_) return;
    finish(kEditorCardGone);
    boxOpen_ = true;
    host_.messageBoxId(link::IDS_CARD_REMOVED, Buttons::Ok, Icon::Stop);
    boxOpen_ = false;
}

void TrackListEditor::finish(int code) {
    if (ended_ || !open_) return;
    ended_ = true;
    for (unsigned id : {TIMER_LEVEL_POLL, TIMER_COMMAND_TIMEOUT, TIMER_WRITE_TIMEOUT})
        host_.killTimer(window_, id);
    writePending_ = false;
    listOp_ = 0;
    nameDialog_.cancel();
    waitBox_.close();
    host_.endModal(window_, code);
}

bool TrackListEditor::boxOpen() const { return boxOpen_ || host_.messageBoxOpen(); }

int TrackListEditor::box(const std::string& text, Buttons buttons, Icon icon) {
    boxOpen_ = true;
    const int answer = host_.messageBox(text, buttons, icon);
    boxOpen_ = false;
    if (cardFailed_) cardGone();
    return ended_ ? IDCANCEL : answer;
}

}  // namespace tovik::disc
