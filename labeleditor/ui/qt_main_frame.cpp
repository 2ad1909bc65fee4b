#include "labeleditor/ui/qt_main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

#include "labeleditor/ui/qt_command_ui.h"
#include "labeleditor/ui/qt_font_setting_bar.h"
#include "labeleditor/ui/qt_help_window.h"
#include "labeleditor/ui/qt_report_list.h"
#include "labeleditor/ui/qt_strip_icon.h"
#include "labeleditor/ui/ui_ids.h"
#include "resources/menus.h"
#include "resources/skin/skin_catalog.h"

namespace tovik::label {

namespace {

// The saved bar state: a version byte, the status bar's visibility, then the tool bars' state.
constexpr std::uint8_t kBarStateVersion = 1;
constexpr int kToolBarsVersion = 1;
constexpr QSize kToolBarImage(16, 15);

const char* helpAnchor(HelpTopic topic) {
    switch (topic) {
        case HelpTopic::Preview: return "preview";
        case HelpTopic::TitleList: return "title-list";
        case HelpTopic::TrackList: return "track-list";
        case HelpTopic::Contents: break;
    }
    return "";
}

}  // namespace

MainFrameWindow::MainFrameWindow(Host& host, CSleevonDoc& doc, CSleevonApp& app, const PreviewContext& preview,
                                 ScreenSize fullScreen)
    : host_(host), frame_(std::make_unique<CMainFrame>(host, *this, doc, app)) {
    setObjectName("Sleevon");
    setWindowTitle(QString::fromStdString(frame_->caption()));
    setContextMenuPolicy(Qt::NoContextMenu);  // no bar menu on the dock areas
    geometry_ = frame_->PreCreateWindow(fullScreen);

    createPanes(preview);
    createMenus();
    createBars();
    formatBar_->watch(doc);
    createAccelerators();
    frame_->OnCreate();
    applyGeometry();

    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        frame_->onPaneFocused(paneContaining(now));
        updateCommandUi();
    });
    updateCommandUi();
}

MainFrameWindow::~MainFrameWindow() {
    // Qt still reports focus changes while it takes the widgets down.
    disconnect(focusWatch_);
    qApp->removeEventFilter(this);
    frame_->OnDestroy();
    // The views go before the controls they drive.
    titleList_->setView(nullptr);
    trackList_->setView(nullptr);
}

// --- creation ---

void MainFrameWindow::createPanes(const PreviewContext& preview) {
    // The main splitter: the preview in column 0, the right splitter in column 1.
    mainSplitter_ = new QSplitter(Qt::Horizontal, this);
    mainSplitter_->setObjectName("mainSplitter");
    PreviewContext context = preview;
    context.parent = mainSplitter_;
    PreviewPane pane = makeLabelPreviewPane(context);
    previewWidget_ = pane.widget;
    previewWidget_->setObjectName("preview");
    mainSplitter_->addWidget(previewWidget_);

    rightSplitter_ = new QSplitter(Qt::Vertical, mainSplitter_);
    rightSplitter_->setObjectName("rightSplitter");
    mainSplitter_->addWidget(rightSplitter_);
    titleList_ = new ReportList(host_.strings(), host_.codePage(), rightSplitter_);
    titleList_->setObjectName("titleList");
    trackList_ = new ReportList(host_.strings(), host_.codePage(), rightSplitter_);
    trackList_->setObjectName("trackList");
    rightSplitter_->addWidget(titleList_);
    rightSplitter_->addWidget(trackList_);

    // Column 0 and row 0 keep their size; the last pane takes what the window gains or loses.
    mainSplitter_->setStretchFactor(0, 0);
    mainSplitter_->setStretchFactor(1, 1);
    rightSplitter_->setStretchFactor(0, 0);
    rightSplitter_->setStretchFactor(1, 1);
    setCentralWidget(mainSplitter_);

    titleView_ = std::make_unique<CTytleListView>(host_, preview.doc, *titleList_);
    trackView_ = std::make_unique<CTrackListView>(host_, preview.doc, *trackList_);
    titleList_->setView(titleView_.get(), [this] { titleView_->onItemStateChanged(); });
    trackList_->setView(trackView_.get());
    frame_->setViews(*pane.view, *titleView_, *trackView_);
}

void MainFrameWindow::createMenus() {
    const resources::MenuResource* resource = resources::sleevonMenu(IDR_MAINFRAME);
    for (const resources::MenuItem& top : resource->items) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(top.text(host_.strings().language())));
        fillMenu(*menu, top.popup, host_.strings());
        connect(menu, &QMenu::aboutToShow, this, [this] { updateCommandUi(); });
        connect(menu, &QMenu::triggered, this, [this](QAction* action) {
            if (unsigned id = commandOf(action)) runCommand(id);
        });
        for (QAction* action : menu->actions())
            if (commandOf(action)) commandActions_.append(action);
    }
}

void MainFrameWindow::createBars() {
    // Tool bar 128: Print, a separator, Help Topics; it docks on any edge.
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName("ToolBar");
    toolBar_->setIconSize(kToolBarImage);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    const std::pair<unsigned, int> buttons[] = {{ID_FILE_PRINT, 0}, {0, 0}, {ID_HELP_FINDER, 1}};
    for (const auto& [id, image] : buttons) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = makeCommandAction(toolBar_, id, QString(), host_.strings());
        action->setText(action->toolTip());
        action->setIcon(stripIcon(skin::bitmap::kSleevonToolBar, image, kToolBarImage));
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        toolBar_->addAction(action);
        commandActions_.append(action);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);

    // The format bar docks at the top or the bottom only.
    formatBar_ = new FontSettingBarWidget(host_, this);
    formatBar_->notify = [this](FormatNotify& block) {
        LResult result = 0;
        frame_->onFormatBarNotify(block, result);
        return result;
    };
    formatBar_->runCommand = [this](unsigned id) { runCommand(id); };
    formatBar_->commandState = [this](unsigned id) { return frame_->commandState(id); };
    addToolBar(Qt::TopToolBarArea, formatBar_);

    // The status bar: one message pane, showing the idle text when no prompt shows.
    idleMessage_ = new QLabel(QString::fromStdString(host_.strings().text(IDS_IDLE_MESSAGE)), this);
    statusBar()->addWidget(idleMessage_, 1);
    statusBar()->setObjectName("StatusBar");
}

void MainFrameWindow::createAccelerators() {
    for (const resources::Accelerator& accelerator : resources::sleevonAccelerators()) {
        auto* action = new QAction(this);
        QList<QKeySequence> keys{keySequenceOf(accelerator)};
        if (accelerator.key == resources::VK_RETURN)  // the keypad's Enter is the same key here
            keys.append(QKeySequence(QKeyCombination(keys.front()[0].keyboardModifiers(), Qt::Key_Enter)));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        const unsigned id = accelerator.command;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        addAction(action);
    }
}

void MainFrameWindow::applyGeometry() {
    // Stored values are used as they are, even off screen.
    move(geometry_.window.x, geometry_.window.y);
    resize(geometry_.window.cx, geometry_.window.cy);
}

void MainFrameWindow::layOut() {
    ensurePolished();
    if (layout()) layout()->activate();
    mainSplitter_->setSizes({geometry_.colX, std::max(0, width() - geometry_.colX)});
    rightSplitter_->setSizes({geometry_.colY, std::max(0, height() - geometry_.colY)});
}

void MainFrameWindow::fitFrameOnce() {
    // The stored size is the whole window's: once the window manager has put its frame around
    // the window, the inside shrinks by the frame.
    if (framedOnce_ || !isVisible()) return;
    const QSize outside = frameGeometry().size();
    if (outside == size()) return;
    framedOnce_ = true;
    resize(geometry_.window.cx - (outside.width() - width()), geometry_.window.cy - (outside.height() - height()));
}

void MainFrameWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    fitFrameOnce();
}

void MainFrameWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitFrameOnce();
}

void MainFrameWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    fitFrameOnce();
}

// --- commands ---

bool MainFrameWindow::runCommand(unsigned id) {
    bool handled = frame_->onCommand(id);
    updateCommandUi();
    return handled;
}

void MainFrameWindow::updateCommandUi() {
    for (QAction* action : commandActions_) {
        auto state = frame_->commandState(commandOf(action));
        // A command that nobody handles is disabled.
        action->setEnabled(state && state->enabled);
        if (state && state->checked) {
            action->setCheckable(true);
            action->setChecked(*state->checked);
        }
    }
}

// --- FrameWindow ---

QWidget* MainFrameWindow::paneWidget(Pane pane) const {
    switch (pane) {
        case Pane::Preview: return previewWidget_;
        case Pane::TitleList: return titleList_;
        case Pane::TrackList: return trackList_;
        case Pane::None: break;
    }
    return nullptr;
}

Pane MainFrameWindow::paneContaining(const QWidget* widget) const {
    for (Pane pane : {Pane::Preview, Pane::TitleList, Pane::TrackList}) {
        QWidget* w = paneWidget(pane);
        if (widget && (widget == w || w->isAncestorOf(widget))) return pane;
    }
    return Pane::None;
}

Pane MainFrameWindow::focusedPane() const {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return Pane::None;
    // The lists count only themselves: their in-place editor is a window of its own.
    if (focus == titleList_) return Pane::TitleList;
    if (focus == trackList_) return Pane::TrackList;
    return paneContaining(focus) == Pane::Preview ? Pane::Preview : Pane::None;
}

void MainFrameWindow::focusPane(Pane pane) {
    if (QWidget* w = paneWidget(pane)) w->setFocus(Qt::OtherFocusReason);
}

QWidget* MainFrameWindow::bar(unsigned barId) const {
    switch (barId) {
        case ID_VIEW_TOOLBAR: return toolBar_;
        case ID_VIEW_STATUS_BAR: return const_cast<MainFrameWindow*>(this)->statusBar();
        case ID_VIEW_FORMATBAR: return formatBar_;
        default: return nullptr;
    }
}

bool MainFrameWindow::isBarVisible(unsigned barId) const {
    QWidget* b = bar(barId);
    return b && !b->isHidden();
}

void MainFrameWindow::showBar(unsigned barId, bool visible) {
    if (QWidget* b = bar(barId)) b->setVisible(visible);
}

WindowRect MainFrameWindow::windowRect() const {
    QRect r = frameGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

int MainFrameWindow::previewColumnWidth() const { return mainSplitter_->sizes().value(0); }

int MainFrameWindow::titleRowHeight() const { return rightSplitter_->sizes().value(0); }

std::vector<std::uint8_t> MainFrameWindow::saveBarState() const {
    QByteArray bars = saveState(kToolBarsVersion);
    std::vector<std::uint8_t> state{kBarStateVersion, static_cast<std::uint8_t>(isBarVisible(ID_VIEW_STATUS_BAR))};
    state.insert(state.end(), bars.begin(), bars.end());
    return state;
}

void MainFrameWindow::loadBarState(std::span<const std::uint8_t> state) {
    // A state from elsewhere (another version, a damaged profile) leaves the bars as they are.
    if (state.size() < 2 || state[0] != kBarStateVersion) return;
    QByteArray bars(reinterpret_cast<const char*>(state.data() + 2), static_cast<qsizetype>(state.size() - 2));
    if (!restoreState(bars, kToolBarsVersion)) return;
    statusBar()->setVisible(state[1] != 0);
}

void MainFrameWindow::showHelp(HelpTopic topic) {
    if (!help_) {
        help_ = new HelpWindow(host_.strings(), this);
        help_->setObjectName("help");
    }
    help_->showSection(QString::fromLatin1(helpAnchor(topic)));
}

void MainFrameWindow::beginContextHelp() {
    if (!contextHelp_) qApp->installEventFilter(this);
    contextHelp_ = true;
    QWhatsThis::enterWhatsThisMode();
}

bool MainFrameWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!contextHelp_) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::LeaveWhatsThisMode) {
        contextHelp_ = false;
        qApp->removeEventFilter(this);
        return false;
    }
    if (!widget || !(widget == this || isAncestorOf(widget))) return false;
    if (event->type() == QEvent::QueryWhatsThis) {
        event->accept();  // every part of the window has help
        return true;
    }
    if (event->type() == QEvent::WhatsThis) {
        event->accept();
        QWhatsThis::leaveWhatsThisMode();
        Pane pane = paneContaining(widget);
        showHelp(pane == Pane::Preview     ? HelpTopic::Preview
                 : pane == Pane::TitleList ? HelpTopic::TitleList
                 : pane == Pane::TrackList ? HelpTopic::TrackList
                                           : HelpTopic::Contents);
        return true;
    }
    return false;
}

void MainFrameWindow::bringToFront() {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void MainFrameWindow::closeEvent(QCloseEvent* event) {
    // Closing never asks: the document has no unsaved state to ask about.
    frame_->OnDestroy();
    if (help_) help_->close();
    event->accept();
}

}  // namespace tovik::label
