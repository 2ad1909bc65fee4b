#include "controller/ui/qt_panel_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "controller/link/md_commands.h"
#include "controller/link/unit_messages.h"
#include "controller/ui/level_meter_widget.h"
#include "controller/ui/panel_layout.h"
#include "controller/ui/qt_display_widget.h"
#include "controller/ui/qt_panel_help.h"
#include "controller/ui/qt_volume_slider.h"
#include "controller/ui/rotela_skin.h"
#include "controller/ui/skin_button_widget.h"
#include "platform/qt/qt_about_box.h"
#include "resources/skin/skin_catalog.h"

namespace tovik::ui {

namespace {

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

// How much of the panel must be on a screen for a person to get hold of it.
constexpr QSize kReachableSize(48, 24);

// The program icon in the sizes the skin draws it.
QIcon programIcon() {
    QIcon icon;
    for (const char* name : {"128-16", "128", "128-48", "128-128"}) {
        const QImage image = rotelaSkin().image(name);
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace

PanelWindow::PanelWindow(Host& host, ControllerPanel& panel, QWidget* parent)
    // The template's window: a caption with a system menu and a minimise box, and so a
    // taskbar entry. The start-up takes the caption away (restorePanelPosition).
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      host_(host),
      panel_(panel),
      display_(host, panel.window()) {
    setObjectName("rotelaPanel");
    setWindowTitle(QString::fromStdString(host.strings().text(link::IDS_CONTROLLER_TITLE)));
    setAttribute(Qt::WA_OpaquePaintEvent);  // the panel paints every pixel itself
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(kPanelSilver.r, kPanelSilver.g, kPanelSilver.b));
    setPalette(silver);
    resize(kPanelWidth, kPanelHeight);

    createChildren();
    createButtons();
    qApp->installEventFilter(this);
}

PanelWindow::~PanelWindow() {
    qApp->removeEventFilter(this);
    if (waitCursor_) QApplication::restoreOverrideCursor();
}

void PanelWindow::createChildren() {
    slider_ = new VolumeSlider(this);
    slider_->setObjectName(QString::number(IDC_SLIDER));
    slider_->setGeometry(toQRect(controlRect(IDC_SLIDER)));
    slider_->setValue(panel_.sliderPosition());
    slider_->onScrolled = [this](int position) { panel_.sliderScrolled(position); };

    meter_ = new LevelMeterWidget(this);
    meter_->setObjectName(QString::number(kMeterChildId));
    meter_->setGeometry(toQRect(controlRect(IDC_METER_AREA)));

    // The display sizes itself to its bitmap at its place.
    displayWidget_ = new DisplayWidget(display_, this);
    displayWidget_->setObjectName(QString::number(kDisplayChildId));
    const Rect area = controlRect(IDC_DISPLAY_AREA);
    displayWidget_->move(area.left, area.top);
}

void PanelWindow::createButtons() {
    for (const PanelButton& layoutButton : panelButtons()) {
        const Rect at = controlRect(layoutButton.id);
        SkinButtonWidget* widget = nullptr;
        if (layoutButton.kind == ButtonKind::Latch) {
            widget = new LatchButtonWidget(host_, layoutButton.id, layoutButton.caption, this);
        } else {
            auto* repeat = new RepeatButtonWidget(host_, layoutButton.id, layoutButton.caption, this);
            if (const RepeatSetting* setting = repeatSetting(layoutButton.id)) {
                repeat->button().setAutoRepeat(true);
                repeat->button().setRepeatPeriod(setting->periodMs);
                repeat->button().setReleaseNotification(setting->releaseNotification);
            }
            if (layoutButton.kind == ButtonKind::Plain) repeat->button().setDoubleClickPresses(false);
            if (layoutButton.id == link::IDC_ACCESS) access_ = repeat;
            if (layoutButton.id == link::IDC_UP || layoutButton.id == link::IDC_DOWN) {
                // The disc model must know while a track key is held.
                auto repaint = repeat->button().onChanged;
                repeat->button().onChanged = [this, repaint] {
                    repaint();
                    const bool held = static_cast<RepeatButtonWidget*>(button(link::IDC_UP))->button().held() ||
                                      static_cast<RepeatButtonWidget*>(button(link::IDC_DOWN))->button().held();
                    if (held == stepHeld_) return;
                    stepHeld_ = held;
                    if (onTrackStepHeld) onTrackStepHeld(held);
                };
            }
            widget = repeat;
        }
        widget->setObjectName(QString::number(layoutButton.id));
        widget->setParentWindow(panel_.window());
        widget->move(at.left, at.top);  // sized by its up image
        if (layoutButton.startsHidden) widget->hide();
        buttons_[layoutButton.id] = widget;
    }
}

void PanelWindow::firstFrameShown() {
    if (tooltipsRegistered_) return;
    tooltipsRegistered_ = true;
    setWindowIcon(programIcon());  // four sizes to decode: not before the panel shows
    for (const ControlTooltip& tip : panelTooltips()) {
        if (SkinButtonWidget* widget = button(tip.id))
            widget->setToolTip(QString::fromStdString(host_.strings().text(tip.stringId)));
    }
    if (afterFirstFrame) afterFirstFrame();
}

SkinButtonWidget* PanelWindow::button(int id) const {
    auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

// --- painting ---

void PanelWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qt::QtCanvas canvas(painter, rotelaSkin());
    paintPanel(canvas, {width(), height()}, isMinimized());
    // Texts wait until the first frame is up.
    if (!firstFrame_) {
        firstFrame_ = true;
        QTimer::singleShot(0, this, [this] { firstFrameShown(); });
    }
}

void PanelWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) update();
    QWidget::changeEvent(event);
}

// --- what the panel says ---

void PanelWindow::statusChanged(const link::MdStatus& status, bool failed) {
    display_.updateFromStatus(status, failed);
}

void PanelWindow::controlsChanged(const link::ButtonState& state) {
    for (auto& [id, widget] : buttons_) {
        if (auto on = controlEnabled(state, id)) widget->setEnabled(*on);
    }
    if (auto on = controlEnabled(state, IDC_SLIDER)) slider_->setEnabled(*on);
    access_->button().setAlternateImages(state.accessAltImage());
}

void PanelWindow::levelsChanged(int left, int right) { meter_->setLevels(left, right); }

void PanelWindow::sliderChanged(int position) { slider_->setValue(position); }

void PanelWindow::panelEnabled(bool enabled) { setEnabled(enabled); }

void PanelWindow::panelEnded(int) {
    if (systemMenu_) systemMenu_->close();
    hide();
}

void PanelWindow::controlShown(int controlId, bool shown) {
    if (SkinButtonWidget* widget = button(controlId)) widget->setVisible(shown);
}

void PanelWindow::displayMessage(const std::string& text) { display_.showMessage(text); }

unsigned PanelWindow::popupMenu(const std::vector<PopupMenuItem>& items, int anchorControl) {
    QMenu menu(this);
    for (const PopupMenuItem& item : items) {
        QAction* action = menu.addAction(QString::fromStdString(item.text));
        action->setData(item.id);
        action->setEnabled(item.enabled);
    }
    const Rect anchor = controlRect(anchorControl);
    QAction* chosen = menu.exec(mapToGlobal(QPoint(anchor.right + kPopupOffsetX, anchor.top)));
    return chosen ? chosen->data().toUInt() : 0;
}

void PanelWindow::aboutRequested() {
    auto text = [this](unsigned id) { return QString::fromStdString(host_.strings().text(id)); };
    qt::AboutBox box(text(IDS_ABOUT_CAPTION), text(IDS_ABOUT_PROGRAM), text(IDS_ABOUT_VERSION),
                     rotelaSkin().pixmap(skin::bitmap::kProgramIcon, devicePixelRatioF()), this);
    box.exec();
}

void PanelWindow::helpRequested() { openRotelaHelp(host_); }

void PanelWindow::waitCursor(bool on) {
    if (on == waitCursor_) return;
    waitCursor_ = on;
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void PanelWindow::discNameChanged(const std::string& displayText) { display_.setDiscName(displayText); }

void PanelWindow::trackNameChanged(const std::string& displayText, int) { display_.setTrackName(displayText); }

// --- the window's place ---

bool PanelWindow::hasCaption() const { return !windowFlags().testFlag(Qt::FramelessWindowHint); }

void PanelWindow::setCaption(bool shown) { setWindowFlag(Qt::FramelessWindowHint, !shown); }

void PanelWindow::place(const WindowRect& rect) {
    QRect at(rect.x, rect.y, rect.width, rect.height);
    // A place kept from a larger or another screen could leave the panel, which has no title
    // bar, out of reach: unless enough of it shows to be dragged, it comes to the top-left corner.
    bool reachable = false;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(at);
        reachable |= shown.width() >= kReachableSize.width() && shown.height() >= kReachableSize.height();
    }
    if (!reachable && QGuiApplication::primaryScreen())
        at.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    move(at.topLeft());
    setFixedSize(at.size());
    raise();
}

WindowRect PanelWindow::normalRect() const {
    QRect normal = normalGeometry();
    if (!normal.isValid()) normal = geometry();
    return {normal.x(), normal.y(), normal.width(), normal.height()};
}

bool PanelWindow::isMinimised() const { return isMinimized(); }

void PanelWindow::minimise() { showMinimized(); }

// --- input ---

void PanelWindow::closeEvent(QCloseEvent* event) {
    // The window system's close (its menu, its Alt+F4) ends the panel as CLOSE does; the panel
    // then hides the window.
    event->ignore();
    if (!panel_.ended()) panel_.click(link::IDC_CLOSE);
}

// A press anywhere on the panel's face, not on a control, moves the window: the window system
// does it where it can, else the window follows the pointer itself.
void PanelWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (windowHandle() && windowHandle()->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - pos();
}

void PanelWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) move(event->globalPosition().toPoint() - dragOffset_);
}

void PanelWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

bool PanelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != this) return false;
    return panelKey(static_cast<QKeyEvent*>(event));
}

// Keys the panel sees before its controls do; true when taken.
bool PanelWindow::panelKey(QKeyEvent* event) {
    const bool alt = event->modifiers().testFlag(Qt::AltModifier);
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return panel_.keyDown(PanelKey::Enter, alt);
        case Qt::Key_Escape: return panel_.keyDown(PanelKey::Escape, alt);
        case Qt::Key_F4: return panel_.keyDown(PanelKey::F4, alt);
        case Qt::Key_Space:
            if (!alt) return false;
            showSystemMenu();
            return true;
        default: return false;
    }
}

void PanelWindow::showSystemMenu() {
    if (!systemMenu_) {
        systemMenu_ = new QMenu(this);
        systemMenu_->setObjectName("systemMenu");
        auto text = [this](unsigned id) { return QString::fromStdString(host_.strings().text(id)); };
        QAction* restore = systemMenu_->addAction(text(IDS_MENU_RESTORE), this, [this] { showNormal(); });
        systemMenu_->addAction(text(IDS_MENU_MINIMIZE), this, [this] { minimise(); });
        systemMenu_->addSeparator();
        systemMenu_->addAction(text(IDS_MENU_CLOSE), this, [this] { panel_.click(link::IDC_CLOSE); });
        systemMenu_->addSeparator();
        // The entry the system commands 0x10-0x1F stand for.
        systemMenu_->addAction(text(IDS_ABOUT_MENU), this, [this] { panel_.systemCommand(kAboutCommandFirst); });
        connect(systemMenu_, &QMenu::aboutToShow, this, [this, restore] { restore->setEnabled(isMinimized()); });
    }
    systemMenu_->popup(mapToGlobal(QPoint(0, 0)));
}

}  // namespace tovik::ui
