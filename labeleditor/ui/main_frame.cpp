#include "labeleditor/ui/main_frame.h"

#include <algorithm>
#include <array>

#include "labeleditor/ui/ui_ids.h"

namespace tovik::label {

namespace {

constexpr const char* kDockStateSection = "Dock state";
constexpr const char* kDockStateValue = "State";

// F6 and Shift+F6 visit the panes in this order, round.
constexpr std::array<Pane, 3> kPaneOrder = {Pane::Preview, Pane::TitleList, Pane::TrackList};

HelpTopic topicFor(Pane pane) {
    switch (pane) {
        case Pane::Preview: return HelpTopic::Preview;
        case Pane::TitleList: return HelpTopic::TitleList;
        case Pane::TrackList: return HelpTopic::TrackList;
        case Pane::None: break;
    }
    return HelpTopic::Contents;
}

}  // namespace

struct CMainFrame::CommandEntry {
    unsigned id;
    void (*run)(CMainFrame&);
    CommandState (*update)(const CMainFrame&);
};

// The commands the frame itself handles.
const CMainFrame::CommandEntry* CMainFrame::findCommand(unsigned id) {
    constexpr auto always = [](const CMainFrame&) { return CommandState{}; };
    constexpr auto whenPrinting = [](const CMainFrame& f) { return CommandState{f.printingAvailable(), {}}; };
    static const CommandEntry table[] = {
        {ID_FILE_PRINT, [](CMainFrame& f) { f.preview_->print(); }, whenPrinting},
        {ID_FILE_PRINT_PREVIEW, [](CMainFrame& f) { f.preview_->printPreview(); }, whenPrinting},
        {ID_SWITCH_LIST, [](CMainFrame& f) { f.onSwitchList(); }, always},
        {ID_NEXT_PANE, [](CMainFrame& f) { f.onNextPane(false); }, always},
        {ID_PREV_PANE, [](CMainFrame& f) { f.onNextPane(true); }, always},
        {ID_VIEW_TOOLBAR, [](CMainFrame& f) { f.onToggleBar(ID_VIEW_TOOLBAR); },
         [](const CMainFrame& f) { return f.barState(ID_VIEW_TOOLBAR); }},
        {ID_VIEW_STATUS_BAR, [](CMainFrame& f) { f.onToggleBar(ID_VIEW_STATUS_BAR); },
         [](const CMainFrame& f) { return f.barState(ID_VIEW_STATUS_BAR); }},
        {ID_VIEW_FORMATBAR, [](CMainFrame& f) { f.onToggleBar(ID_VIEW_FORMATBAR); },
         [](const CMainFrame& f) { return f.barState(ID_VIEW_FORMATBAR); }},
        {ID_HELP_FINDER, [](CMainFrame& f) { f.window_.showHelp(HelpTopic::Contents); }, always},
        {ID_HELP, [](CMainFrame& f) { f.onHelp(); }, always},
        {ID_DEFAULT_HELP, [](CMainFrame& f) { f.onHelp(); }, always},
        {ID_CONTEXT_HELP, [](CMainFrame& f) { f.window_.beginContextHelp(); }, always},
    };
    auto it = std::find_if(std::begin(table), std::end(table), [id](const CommandEntry& e) { return e.id == id; });
    return it == std::end(table) ? nullptr : it;
}

CMainFrame::CMainFrame(Host& host, FrameWindow& window, CSleevonDoc& doc, CSleevonApp& app)
    : host_(host), window_(window), doc_(doc), app_(app) {}

CMainFrame::~CMainFrame() {
    if (registration_) host_.windowRegistry().unregisterWindow(registration_);
}

std::string CMainFrame::caption() const {
    std::string text = host_.strings().text(IDR_MAINFRAME);
    return text.substr(0, text.find('\n'));
}

FrameGeometry CMainFrame::PreCreateWindow(ScreenSize fullScreen) const {
    return loadFrameGeometry(host_.profile(), fullScreen);
}

void CMainFrame::setViews(LabelPreview& preview, FrameView& titleList, FrameView& trackList) {
    preview_ = &preview;
    titleList_ = &titleList;
    trackList_ = &trackList;
}

void CMainFrame::OnCreate() {
    if (auto state = host_.profile().getBinary(kDockStateSection, kDockStateValue))
        window_.loadBarState(*state);
    if (!registration_) {
        registration_ = host_.windowRegistry().registerWindow(kSleevonWindowClass, caption(),
                                                              [this] { window_.bringToFront(); });
    }
}

void CMainFrame::OnDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    host_.profile().setBinary(kDockStateSection, kDockStateValue, window_.saveBarState());
    for (Pane pane : kPaneOrder)
        if (FrameView* v = view(pane)) v->OnDestroy();
    saveFrameGeometry(host_.profile(),
                      FrameGeometry{window_.windowRect(), window_.previewColumnWidth(), window_.titleRowHeight()});
    if (registration_) host_.windowRegistry().unregisterWindow(registration_);
    registration_ = 0;
}

// --- views and focus ---

FrameView* CMainFrame::view(Pane pane) const {
    switch (pane) {
        case Pane::Preview: return preview_;
        case Pane::TitleList: return titleList_;
        case Pane::TrackList: return trackList_;
        case Pane::None: break;
    }
    return nullptr;
}

void CMainFrame::onPaneFocused(Pane pane) {
    if (pane != Pane::None) active_ = pane;
}

void CMainFrame::InitialUpdateViews() {
    for (Pane pane : kPaneOrder)
        if (FrameView* v = view(pane)) v->OnInitialUpdate();
}

void CMainFrame::onSwitchList() {
    window_.focusPane(window_.focusedPane() == Pane::TitleList ? Pane::TrackList : Pane::TitleList);
}

void CMainFrame::onNextPane(bool previous) {
    Pane from = window_.focusedPane();
    if (from == Pane::None) from = active_;
    auto it = std::find(kPaneOrder.begin(), kPaneOrder.end(), from);
    std::size_t index = it == kPaneOrder.end() ? 0 : static_cast<std::size_t>(it - kPaneOrder.begin());
    index = previous ? (index + kPaneOrder.size() - 1) % kPaneOrder.size() : (index + 1) % kPaneOrder.size();
    window_.focusPane(kPaneOrder[index]);
}

void CMainFrame::onToggleBar(unsigned barId) { window_.showBar(barId, !window_.isBarVisible(barId)); }

CommandState CMainFrame::barState(unsigned barId) const { return CommandState{true, window_.isBarVisible(barId)}; }

void CMainFrame::onHelp() {
    Pane pane = window_.focusedPane();
    window_.showHelp(topicFor(pane == Pane::None ? active_ : pane));
}

// --- commands ---

bool CMainFrame::printingAvailable() const { return preview_ && preview_->canPrint(); }

std::optional<CommandState> CMainFrame::commandState(unsigned id) const {
    // The print position belongs to printing: it waits for a preview that can print.
    if (id == ID_PRINT_POSITION && !printingAvailable()) return CommandState{false, {}};
    if (FrameView* v = view(active_))
        if (auto state = v->commandState(id)) return state;
    if (auto state = doc_.commandState(id)) return state;
    if (const CommandEntry* entry = findCommand(id)) return entry->update(*this);
    return app_.commandState(id);
}

bool CMainFrame::onCommand(unsigned id) {
    auto state = commandState(id);
    if (!state) return false;
    if (!state->enabled) return true;

    // Saving under a new name puts the file on the recent-file list.
    const std::filesystem::path before = doc_.pathName();
    bool handled = false;
    if (FrameView* v = view(active_)) handled = v->onCommand(id);
    if (!handled) handled = doc_.onCommand(id);
    if (!handled) {
        if (const CommandEntry* entry = findCommand(id)) {
            entry->run(*this);
            handled = true;
        }
    }
    if (!handled) handled = app_.onCommand(id);
    if (doc_.pathName() != before && !doc_.pathName().empty()) app_.AddToRecentFileList(doc_.pathName());
    return handled;
}

bool CMainFrame::onFormatBarNotify(FormatNotify& block, LResult& result) {
    if (block.hdr.idFrom != ID_VIEW_FORMATBAR) return false;
    if (block.hdr.code == NM_RETURN) {
        // The frame takes the focus, and hands it on to the active view.
        window_.focusPane(active_);
        return true;
    }
    return doc_.onFormatNotify(block, result);
}

}  // namespace tovik::label
