#pragma once
// CMainFrame, the label editor's main window as behaviour: where it starts and how it is kept
// (sizes, splitters, bar state), which view is active, how commands are routed (active view,
// document, frame, application), the Tab and F6 focus rules, print and preview on the label
// preview whichever pane has the focus, the bar toggles, help, and the format bar's
// notifications. Its window (FrameWindow) is the Qt main window in the program and a fake in
// the tests.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "labeleditor/document/sleevon_doc.h"
#include "labeleditor/ui/frame_geometry.h"
#include "labeleditor/ui/frame_view.h"
#include "labeleditor/ui/sleevon_app.h"
#include "platform/host.h"

namespace tovik::label {

// The help pages' sections.
enum class HelpTopic { Contents, Preview, TitleList, TrackList };

// What CMainFrame asks of its window.
class FrameWindow {
public:
    virtual ~FrameWindow() = default;
    // The pane whose own window holds the keyboard focus; None when the focus is anywhere else
    // (a bar, an in-place editor, another window).
    virtual Pane focusedPane() const = 0;
    virtual void focusPane(Pane pane) = 0;
    virtual bool isBarVisible(unsigned barId) const = 0;
    virtual void showBar(unsigned barId, bool visible) = 0;
    // The window rectangle as the system reports it now (also when minimized or maximized).
    virtual WindowRect windowRect() const = 0;
    virtual int previewColumnWidth() const = 0;  // main splitter, column 0
    virtual int titleRowHeight() const = 0;      // right splitter, row 0
    // The docking state of the control bars, as bytes that loadBarState takes back.
    virtual std::vector<std::uint8_t> saveBarState() const = 0;
    virtual void loadBarState(std::span<const std::uint8_t> state) = 0;
    virtual void showHelp(HelpTopic topic) = 0;
    // The next click on a part of the window opens help about that part.
    virtual void beginContextHelp() = 0;
    virtual void bringToFront() = 0;
};

class CMainFrame {
public:
    CMainFrame(Host& host, FrameWindow& window, CSleevonDoc& doc, CSleevonApp& app);
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // --- life ---
    // Before the window exists: its rectangle and splitter sizes.
    FrameGeometry PreCreateWindow(ScreenSize fullScreen) const;
    // The panes' views, once created.
    void setViews(LabelPreview& preview, FrameView& titleList, FrameView& trackList);
    // The window, its bars and views exist: restore the bar state; make the window findable by
    // its class "Sleevon".
    void OnCreate();
    // The window is closing: bar state, the views' own settings, then window and splitter sizes.
    void OnDestroy();
    std::string caption() const;

    // --- views and focus ---
    // A pane received the keyboard focus: its view becomes the active view.
    void onPaneFocused(Pane pane);
    Pane activePane() const { return active_; }
    FrameView* view(Pane pane) const;
    // Every New and Open ends with this: each view rebuilds from the document.
    void InitialUpdateViews();

    // --- commands ---
    // Routes a command (active view, document, frame, application). A disabled command does
    // nothing. True when someone handles it.
    bool onCommand(unsigned id);
    std::optional<CommandState> commandState(unsigned id) const;
    // WM_NOTIFY from the format bar: NM_RETURN gives the focus back to the active view; the
    // font notifications go to the active view, then the document.
    bool onFormatBarNotify(FormatNotify& block, LResult& result);

private:
    struct CommandEntry;
    static const CommandEntry* findCommand(unsigned id);

    bool printingAvailable() const;
    void onSwitchList();
    void onNextPane(bool previous);
    void onToggleBar(unsigned barId);
    void onHelp();
    CommandState barState(unsigned barId) const;

    Host& host_;
    FrameWindow& window_;
    CSleevonDoc& doc_;
    CSleevonApp& app_;
    LabelPreview* preview_ = nullptr;
    FrameView* titleList_ = nullptr;
    FrameView* trackList_ = nullptr;
    Pane active_ = Pane::Preview;
    WindowRegistry::RegistrationId registration_ = 0;
    bool destroyed_ = false;
};

}  // namespace tovik::label
