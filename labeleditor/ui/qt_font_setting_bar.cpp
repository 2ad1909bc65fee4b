#include "labeleditor/ui/qt_font_setting_bar.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <array>

#include "labeleditor/ui/qt_command_ui.h"
#include "labeleditor/ui/qt_strip_icon.h"
#include "resources/skin/skin_catalog.h"

namespace tovik::label {

namespace {

// The buttons after the two boxes and their separators: command and image in bitmap 139
// (0 for a separator).
struct ButtonSlot {
    unsigned id;
    int image;
};
constexpr std::array<ButtonSlot, 6> kButtonSlots = {{
    {ID_FORMAT_BOLD, 0},
    {ID_FORMAT_ITALIC, 1},
    {ID_FORMAT_UNDERLINE, 2},
    {0, -1},
    {ID_FONT_SAVE_DEFAULT, 3},
    {ID_FONT_RETURN_DEFAULT, 4},
}};

// Button and image sizes, by the large-icons flag.
constexpr QSize kButtonSize(23, 22), kLargeButtonSize(31, 30);
constexpr int kImageSize = 16, kLargeImageSize = 24;

// Boxes' widths in average characters of the GUI font.
constexpr int kFaceBoxChars = 48, kSizeBoxChars = 10;
constexpr int kMinimumItemHeight = 15;

// Input that may have changed what the bar shows: the next idle moment updates it.
bool bringsIdleUpdate(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::WindowActivate: return true;
        default: return false;
    }
}

// One image of the strip, at 1x and 2x.
// The prompt and the tool tip of a box, from the string of its control id.
void describe(QWidget& box, unsigned id, const StringTable& strings) {
    auto [prompt, tip] = promptAndTip(strings, id);
    box.setStatusTip(prompt);
    box.setToolTip(tip);
}

}  // namespace

FontSettingBarWidget::FontSettingBarWidget(Host& host, QWidget* parent)
    : QToolBar(QString::fromStdString(host.strings().text(IDS_FORMAT_BAR_CAPTION)), parent),
      host_(host),
      fonts_(host.strings().language()) {
    setObjectName("FormatBar");  // its name in the saved bar state
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    setFloatable(true);
    setMovable(true);
    if (QScreen* screen = QGuiApplication::primaryScreen()) largeIcons_ = screen->logicalDotsPerInchX() >= 120;

    bar_ = std::make_unique<CFontSettingBar>(host_, fonts_, localeCollation(host.strings().language()),
                                             [this](FormatNotify& block) { return notify ? notify(block) : 0; });
    createBoxes();
    createButtons();

    // A floating bar makes room for its caption above the slots.
    connect(this, &QToolBar::topLevelChanged, this, [this](bool floating) {
        setContentsMargins(0, floating ? captionHeight() : 0, 0, 0);
        QTimer::singleShot(0, this, [this] { placeBelowCaption(); });
    });
    qApp->installEventFilter(this);
}

FontSettingBarWidget::~FontSettingBarWidget() {
    qApp->removeEventFilter(this);
    if (doc_) doc_->removeObserver(*this);
}

void FontSettingBarWidget::createBoxes() {
    const QFont guiFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const QFontMetrics base(guiFont);
    face_ = new QtBarCombo(CFaceNameCombo::kTextLimit, this);
    size_ = new QtBarCombo(CPointSizeCombo::kTextLimit, this);
    face_->setObjectName("faceBox");
    size_->setObjectName("sizeBox");
    for (QtBarCombo* box : {face_, size_}) {
        box->setFont(guiFont);
        box->view()->setFont(guiFont);
    }
    face_->setFixedWidth(kFaceBoxChars * base.averageCharWidth());
    size_->setFixedWidth(kSizeBoxChars * base.averageCharWidth());
    // Both boxes as high as the size box.
    face_->setFixedHeight(size_->sizeHint().height());
    size_->setFixedHeight(size_->sizeHint().height());
    face_->setItemDelegate(new FaceItemDelegate(
        [this](int row) { return row < bar_->faceCombo().count() && (bar_->faceCombo().entry(row).flags & FACE_TRUETYPE); },
        std::max(base.height(), kMinimumItemHeight), face_));
    describe(*face_, CFaceNameCombo::kControlId, host_.strings());
    describe(*size_, CPointSizeCombo::kControlId, host_.strings());

    auto key = [](CBarCombo& combo) {
        return [&combo](BarKey k, bool alt, bool control) { return combo.preTranslateKey(k, alt, control); };
    };
    bar_->OnCreate(*face_, *size_);
    face_->reports = {[this] { bar_->OnSetFocus(); }, [this] { bar_->OnFaceKillFocus(); }, nullptr,
                      [this] { bar_->OnCloseUp(); }, key(bar_->faceCombo())};
    size_->reports = {[this] { bar_->OnSetFocus(); }, [this] { bar_->OnSizeKillFocus(); },
                      [this] { bar_->OnSizeDropDown(); }, [this] { bar_->OnCloseUp(); }, key(bar_->sizeCombo())};

    addWidget(face_);
    addSeparator();
    addWidget(size_);
    addSeparator();
}

void FontSettingBarWidget::createButtons() {
    const int image = largeIcons_ ? kLargeImageSize : kImageSize;
    const std::string_view strip = largeIcons_ ? skin::bitmap::kFormatButtonsLarge : skin::bitmap::kFormatButtons;
    setIconSize(QSize(image, image));
    for (const ButtonSlot& slot : kButtonSlots) {
        if (slot.id == 0) {
            addSeparator();
            continue;
        }
        QAction* action = makeCommandAction(this, slot.id, QString(), host_.strings());
        action->setText(action->toolTip());
        action->setIcon(stripIcon(strip, slot.image, QSize(image, image)));
        const unsigned id = slot.id;
        connect(action, &QAction::triggered, this, [this, id] {
            if (runCommand) runCommand(id);
            scheduleIdleUpdate();
        });
        addAction(action);
        widgetForAction(action)->setFixedSize(largeIcons_ ? kLargeButtonSize : kButtonSize);
        buttons_.append(action);
    }
}

QAction* FontSettingBarWidget::button(unsigned id) const {
    for (QAction* action : buttons_)
        if (commandOf(action) == id) return action;
    return nullptr;
}

void FontSettingBarWidget::watch(CSleevonDoc& doc) {
    if (doc_) doc_->removeObserver(*this);
    doc_ = &doc;
    doc.addObserver(*this);
}

void FontSettingBarWidget::onDocumentUpdate(unsigned) { scheduleIdleUpdate(); }

// --- idle ---

void FontSettingBarWidget::scheduleIdleUpdate() {
    if (idlePending_) return;
    idlePending_ = true;
    QTimer::singleShot(0, this, [this] {
        idlePending_ = false;
        idleUpdate();
    });
}

void FontSettingBarWidget::idleUpdate() {
    if (isHidden()) return;
    for (QAction* action : buttons_) {
        auto state = commandState ? commandState(commandOf(action)) : std::nullopt;
        action->setEnabled(state && state->enabled);
        action->setCheckable(state && state->checked);
        if (state && state->checked) action->setChecked(*state->checked);
    }
    bar_->OnIdleUpdate();
}

void FontSettingBarWidget::showEvent(QShowEvent* event) {
    QToolBar::showEvent(event);
    scheduleIdleUpdate();  // a bar that was hidden has missed what happened meanwhile
}

bool FontSettingBarWidget::eventFilter(QObject* watched, QEvent* event) {
    if (bringsIdleUpdate(event->type())) scheduleIdleUpdate();
    if (event->type() == QEvent::Move && watched->parent() == this) placeBelowCaption();
    return QToolBar::eventFilter(watched, event);
}

// --- the caption of the floating bar ---

void FontSettingBarWidget::placeBelowCaption() {
    // The tool bar's layout places the slots at the top of whatever height the bar has; on a
    // floating bar they go below the caption.
    if (!isFloating()) return;
    const int top = captionHeight();
    for (QObject* child : children()) {
        auto* slot = qobject_cast<QWidget*>(child);
        if (slot && !slot->isWindow() && slot->y() < top) slot->move(slot->x(), slot->y() + top);
    }
}

void FontSettingBarWidget::resizeEvent(QResizeEvent* event) {
    QToolBar::resizeEvent(event);
    placeBelowCaption();
}

int FontSettingBarWidget::captionHeight() const { return fontMetrics().height() + 4; }

QRect FontSettingBarWidget::captionRect() const { return QRect(0, 0, width(), isFloating() ? captionHeight() : 0); }

QRect FontSettingBarWidget::closeBoxRect() const {
    const QRect caption = captionRect();
    const int side = caption.height() - 4;
    return QRect(caption.right() - side - 2, caption.top() + 2, side, side);
}

void FontSettingBarWidget::paintEvent(QPaintEvent* event) {
    QToolBar::paintEvent(event);
    if (!isFloating()) return;
    QPainter p(this);
    const QRect caption = captionRect();
    const QColor active = palette().color(QPalette::Highlight);
    QLinearGradient fill(caption.topLeft(), caption.topRight());
    fill.setColorAt(0, active);
    fill.setColorAt(1, active.lighter(150));
    p.fillRect(caption, fill);
    QFont font = this->font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(palette().color(QPalette::HighlightedText));
    const QRect close = closeBoxRect();
    p.drawText(caption.adjusted(6, 0, -(close.width() + 8), 0), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
    // The close box: a cross on a raised face.
    p.fillRect(close, palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(close.topLeft(), close.topRight());
    p.drawLine(close.topLeft(), close.bottomLeft());
    p.setPen(palette().color(QPalette::Shadow));
    p.drawLine(close.bottomLeft(), close.bottomRight());
    p.drawLine(close.topRight(), close.bottomRight());
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(palette().color(QPalette::ButtonText), 1.6));
    const QRectF cross = QRectF(close).adjusted(3.5, 3.5, -3.5, -3.5);
    p.drawLine(cross.topLeft(), cross.bottomRight());
    p.drawLine(cross.bottomLeft(), cross.topRight());
}

void FontSettingBarWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && captionRect().contains(at) && !closeBoxRect().contains(at)) {
        dragOffset_ = event->globalPosition().toPoint() - pos();
        event->accept();
        return;
    }
    QToolBar::mousePressEvent(event);
}

void FontSettingBarWidget::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_ && isFloating()) {
        move(event->globalPosition().toPoint() - *dragOffset_);
        event->accept();
        return;
    }
    QToolBar::mouseMoveEvent(event);
}

void FontSettingBarWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool dragged = dragOffset_.has_value();
    dragOffset_.reset();
    if (event->button() == Qt::LeftButton && isFloating() && closeBoxRect().contains(event->position().toPoint())) {
        hide();  // as the View menu's "Format bar" does
        event->accept();
        return;
    }
    if (!dragged) QToolBar::mouseReleaseEvent(event);
}

void FontSettingBarWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click on the caption docks the bar again at the top.
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (window && captionRect().contains(event->position().toPoint()) && !closeBoxRect().contains(event->position().toPoint())) {
        dragOffset_.reset();
        window->addToolBar(Qt::TopToolBarArea, this);
        show();
        event->accept();
        return;
    }
    QToolBar::mouseDoubleClickEvent(event);
}

}  // namespace tovik::label
