#pragma once
// Sleevon's main window on screen: the menu bar, the tool bar, the format bar's place and the
// status bar around two splitters that hold the label preview, the title list and the track
// list. It paints and forwards; CMainFrame and the list views decide.

#include <QMainWindow>

#include <memory>

#include "labeleditor/ui/list_views.h"
#include "labeleditor/ui/main_frame.h"

class QLabel;
class QPrinter;
class QSplitter;
class QToolBar;

namespace tovik::label {

class FontSettingBarWidget;
class HelpWindow;
class QtDocumentUi;
class ReportList;

// What the label preview is made from.
struct PreviewContext {
    QWidget* parent;
    Host& host;
    CSleevonDoc& doc;
    // The program's printer, made on first use (the default printer, in landscape).
    std::function<QPrinter&()> printer;
    // Where the print position dialog is plugged in.
    QtDocumentUi& documentUi;
};

struct PreviewPane {
    QWidget* widget;
    LabelPreview* view;
};

// Makes the label preview pane; defined by the label preview's own file.
PreviewPane makeLabelPreviewPane(const PreviewContext& context);

class MainFrameWindow : public QMainWindow, public FrameWindow {
public:
    MainFrameWindow(Host& host, CSleevonDoc& doc, CSleevonApp& app, const PreviewContext& preview,
                    ScreenSize fullScreen);
    ~MainFrameWindow() override;

    CMainFrame& frame() { return *frame_; }
    ReportList& titleList() { return *titleList_; }
    ReportList& trackList() { return *trackList_; }
    CTytleListView& titleView() { return *titleView_; }
    CTrackListView& trackView() { return *trackView_; }
    QWidget& previewWidget() { return *previewWidget_; }
    FontSettingBarWidget& formatBar() { return *formatBar_; }
    QToolBar& toolBar() { return *toolBar_; }
    QSplitter& mainSplitter() { return *mainSplitter_; }
    QSplitter& rightSplitter() { return *rightSplitter_; }
    HelpWindow* helpWindow() const { return help_; }

    // Lays the hidden window out at its size, so the views know their sizes before it shows.
    void layOut();
    // A menu item, key or button: the command goes its route, then the commands' states follow.
    bool runCommand(unsigned id);
    // Enables, disables and checks every command's menu item and button.
    void updateCommandUi();

    // --- FrameWindow ---
    Pane focusedPane() const override;
    void focusPane(Pane pane) override;
    bool isBarVisible(unsigned barId) const override;
    void showBar(unsigned barId, bool visible) override;
    WindowRect windowRect() const override;
    int previewColumnWidth() const override;
    int titleRowHeight() const override;
    std::vector<std::uint8_t> saveBarState() const override;
    void loadBarState(std::span<const std::uint8_t> state) override;
    void showHelp(HelpTopic topic) override;
    void beginContextHelp() override;
    void bringToFront() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createPanes(const PreviewContext& preview);
    void createMenus();
    void createBars();
    void createAccelerators();
    void applyGeometry();
    void fitFrameOnce();
    QWidget* bar(unsigned barId) const;
    QWidget* paneWidget(Pane pane) const;
    Pane paneContaining(const QWidget* widget) const;

    Host& host_;
    std::unique_ptr<CMainFrame> frame_;
    FrameGeometry geometry_;
    QSplitter* mainSplitter_ = nullptr;
    QSplitter* rightSplitter_ = nullptr;
    QWidget* previewWidget_ = nullptr;
    ReportList* titleList_ = nullptr;
    ReportList* trackList_ = nullptr;
    std::unique_ptr<CTytleListView> titleView_;
    std::unique_ptr<CTrackListView> trackView_;
    QToolBar* toolBar_ = nullptr;
    FontSettingBarWidget* formatBar_ = nullptr;
    QLabel* idleMessage_ = nullptr;
    HelpWindow* help_ = nullptr;
    QList<QAction*> commandActions_;
    QMetaObject::Connection focusWatch_;
    bool contextHelp_ = false;
    bool framedOnce_ = false;  // the window manager's frame has been taken into account
};

}  // namespace tovik::label
