#include "controller/ui/panel_editing.h"

#include <algorithm>

#include "controller/disc/editing_texts.h"
#include "controller/link/md_commands.h"
#include "resources/menus.h"

namespace tovik::ui {

using namespace tovik::link;

namespace {

// What the question names, besides its fixed words.
enum class Question { Plain, Track, TrackAndTarget, CombinedPair };

struct EditCommand {
    unsigned menuId;
    PopupCommand permission;
    std::uint8_t code;
    unsigned questionId;
    Question question;
    bool trackParam;   // p1 is the current track
    bool targetParam;  // p2 is MOVE's target
    // Acts on the current track, so OK must find the deck where the question was asked.
    bool onCurrentTrack;
};

constexpr EditCommand kEditCommands[] = {
    {ID_ERASE, PopupCommand::Erase, MDCMD_ERASE, disc::IDS_ASK_ERASE, Question::Track, true, false, true},
    {ID_ALL_ERASE, PopupCommand::AllErase, MDCMD_ERASE_ALL, disc::IDS_ASK_ALL_ERASE, Question::Plain, false, false, false},
    {ID_MOVE, PopupCommand::Move, MDCMD_MOVE, disc::IDS_ASK_MOVE, Question::TrackAndTarget, true, true, true},
    {ID_COMBINE, PopupCommand::Combine, MDCMD_COMBINE, disc::IDS_ASK_COMBINE, Question::CombinedPair, true, false, true},
    {ID_DIVIDE, PopupCommand::Divide, MDCMD_DIVIDE, disc::IDS_ASK_DIVIDE, Question::Plain, false, false, true},
};

const EditCommand* findEditCommand(unsigned menuId) {
    for (const EditCommand& c : kEditCommands)
        if (c.menuId == menuId) return &c;
    return nullptr;
}

std::optional<PopupCommand> permissionFor(unsigned menuId) {
    if (menuId == ID_EDIT_TRACK) return PopupCommand::EditTrack;
    if (const EditCommand* c = findEditCommand(menuId)) return c->permission;
    return std::nullopt;
}

// Hidden while a question waits for OK, in this order; shown again afterwards.
constexpr int kTransportControls[] = {IDC_UP,  IDC_DOWN,     IDC_MDPLAY,   IDC_MDSTOP, IDC_FF,
                                      IDC_REV, IDC_REC,      IDC_TIME,     IDC_RECMODE,
                                      IDC_AUTOMARK, IDC_SYNC_REC, IDC_TOCEDIT, IDC_SLEEVON};

}  // namespace

PanelEditing::PanelEditing(Host& host, ControllerPanel& panel, PanelDiscHooks& disc,
                           const EditingViews& views)
    : host_(host),
      panel_(panel),
      disc_(disc),
      nameDialog_(host, views.nameDialog),
      waitBox_(host, views.waitBox),
      nameChange_(host, panel.link(), panel.window(), panel.status(), panel.buttons(),
                  disc.reader(), nameDialog_, waitBox_),
      editor_(host, panel.link(), panel.status(), nameDialog_, waitBox_, views.trackListEditor) {
    disc_.setEditing(this);
    disc_.onTrackListEditor = [this] { openTrackListEditor(); };
    disc_.onCancelNameDialog = [this] { nameDialog_.cancel(); };
}

PanelEditing::~PanelEditing() {
    disc_.setEditing(nullptr);
    disc_.onTrackListEditor = nullptr;
    disc_.onCancelNameDialog = nullptr;
}

bool PanelEditing::handle(Msg msg, WParam wParam, LParam lParam) {
    return nameChange_.handle(msg, wParam, lParam);
}

bool PanelEditing::click(int controlId) {
    switch (controlId) {
        case IDC_TOCEDIT: openPopup(); return true;
        case IDC_EDIT_UP: stepMoveTarget(+1); return true;
        case IDC_EDIT_DOWN: stepMoveTarget(-1); return true;
        case IDC_OK: confirm(); return true;
        case IDC_CANCEL:
            if (pending_ != 0) leaveConfirmation();
            return true;
        default: return false;
    }
}

void PanelEditing::endDialogs() {
    nameDialog_.cancel();
    waitBox_.close();
    editor_.abandon();
}

// ---------------------------------------------------------------- the popup

std::vector<PopupMenuItem> PanelEditing::popupItems() const {
    std::vector<PopupMenuItem> items;
    const resources::MenuResource* menu = resources::rotelaMenu(kEditMenuId);
    if (!menu || menu->items.empty()) return items;
    const Language language = host_.strings().language();
    for (const resources::MenuItem& item : menu->items.front().popup) {
        if (item.isSeparator()) continue;
        const std::optional<PopupCommand> permission = permissionFor(item.id);
        items.push_back({item.id, item.text(language),
                         permission && panel_.buttons().popupEnabled(*permission, panel_.status())});
    }
    return items;
}

void PanelEditing::openPopup() {
    if (pending_ != 0) return;
    const std::vector<PopupMenuItem> items = popupItems();
    const unsigned chosen = panel_.view().popupMenu(items, IDC_TOCEDIT);
    const auto item = std::find_if(items.begin(), items.end(),
                                   [chosen](const PopupMenuItem& i) { return i.id == chosen; });
    if (item != items.end() && item->enabled) choose(chosen);
}

void PanelEditing::choose(unsigned id) {
    if (id == ID_EDIT_TRACK) {
        disc_.startReadCycle(disc::AFTER_CYCLE_TRACK_LIST);
        return;
    }
    if (!findEditCommand(id)) return;
    pending_ = id;
    showTransport(false);
    const int current = panel_.status().currentTrack;
    if (id == ID_MOVE) moveTarget_ = 1;
    if (id == ID_COMBINE) combineFirst_ = current == 1 ? 1 : current - 1;
    ask();
    PanelView& view = panel_.view();
    view.controlShown(IDC_OK, true);
    view.controlShown(IDC_CANCEL, true);
    if (id == ID_MOVE) {
        view.controlShown(IDC_EDIT_UP, true);
        view.controlShown(IDC_EDIT_DOWN, true);
    }
    panel_.setEditButtonsShown(true);  // Enter and Escape press OK and CANCEL
}

// ---------------------------------------------------------------- confirmation mode

void PanelEditing::ask() {
    const EditCommand* command = findEditCommand(pending_);
    if (!command) return;
    const int current = panel_.status().currentTrack;
    askedTrack_ = current;
    const StringTable& strings = host_.strings();
    std::string text;
    switch (command->question) {
        case Question::Plain: text = strings.text(command->questionId); break;
        case Question::Track: text = strings.format(command->questionId, current); break;
        case Question::TrackAndTarget:
            text = strings.format(command->questionId, current, moveTarget_);
            break;
        case Question::CombinedPair:
            text = strings.format(command->questionId, combineFirst_, combineFirst_ + 1);
            break;
    }
    panel_.view().displayMessage(text);
}

void PanelEditing::stepMoveTarget(int step) {
    if (pending_ != ID_MOVE) return;
    const int last = std::max(1, disc_.model().trackCount);
    moveTarget_ = std::clamp(moveTarget_ + step, 1, last);
    ask();
}

void PanelEditing::confirm() {
    const EditCommand* command = findEditCommand(pending_);
    if (!command) return;
    const int current = panel_.status().currentTrack;
    if (command->onCurrentTrack && current != askedTrack_) {
        // The deck is no longer where the person confirmed the command: nothing is sent.
        const int asked = askedTrack_;
        leaveConfirmation();
        host_.messageBoxId(disc::IDS_TRACK_CHANGED, Buttons::Ok, Icon::Exclamation, asked, current);
        return;
    }
    const auto p1 = static_cast<std::uint8_t>(command->trackParam ? current : 0);
    const auto p2 = static_cast<std::uint8_t>(command->targetParam ? moveTarget_ : 0);
    panel_.link().SendCommand(command->code, p1, p2, 0, 1);
    // The names move with the tracks: read them again (after ALL ERASE the disc's too).
    disc_.reader().forgetTracks(command->code == MDCMD_ERASE_ALL);
    leaveConfirmation();
}

void PanelEditing::leaveConfirmation() {
    pending_ = 0;
    showTransport(true);
    PanelView& view = panel_.view();
    view.displayMessage("");
    for (int id : {IDC_EDIT_UP, IDC_EDIT_DOWN, IDC_OK, IDC_CANCEL}) view.controlShown(id, false);
    panel_.setEditButtonsShown(false);
}

void PanelEditing::showTransport(bool shown) {
    for (int id : kTransportControls) panel_.view().controlShown(id, shown);
}

// ---------------------------------------------------------------- the track list editor

void PanelEditing::openTrackListEditor() {
    disc::MdDiscModel& model = disc_.model();
    disc::TrackListEditor::Result result = editor_.run(model.trackNames, model.discName, panel_.window());
    // The editor hands its list back, but the unit may not have kept all that the list shows:
    // the whole cache is read again.
    model.trackNames = std::move(result.names);
    model.updateTrackCount(result.count);
    disc_.reader().clear();
    lastEditorResult_ = result.code;
    if (result.code == disc::kEditorCardGone) panel_.end(0);
}

}  // namespace tovik::ui
