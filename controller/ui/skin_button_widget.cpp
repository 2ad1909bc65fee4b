#include "controller/ui/skin_button_widget.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controller/ui/rotela_skin.h"

namespace tovik::ui {

namespace {
bool leftButton(const QMouseEvent* event) { return event->button() == Qt::LeftButton; }
}  // namespace

// --- the shared part ---

SkinButtonWidget::SkinButtonWidget(SkinButton& core, QWidget* parent)
    : QAbstractButton(parent), core_(core) {
    setFocusPolicy(Qt::StrongFocus);
}

void SkinButtonWidget::attach() {
    // Only a press from outside the mouse and keyboard (a screen reader) reaches clicked().
    connect(this, &QAbstractButton::clicked, this, [this] { core_.click(); });
    core_.onChanged = [this] {
        // The pressed state for screen readers and styles; the picture comes from the core.
        setDown(core_.showsDown());
        update();
    };
    resize(sizeHint());
}

QSize SkinButtonWidget::sizeHint() const {
    const QSize up = rotelaSkin().size(core_.images().up);
    return up.isEmpty() ? QSize(16, 16) : up;
}

void SkinButtonWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qt::QtCanvas canvas(painter, rotelaSkin());
    core_.paint(canvas, hasFocus(), isEnabled());
}

bool SkinButtonWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTipChange) setAccessibleName(toolTip());
    return QAbstractButton::event(event);
}

void SkinButtonWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) core_.cancel();
        update();
    }
    QAbstractButton::changeEvent(event);
}

void SkinButtonWidget::hideEvent(QHideEvent* event) {
    core_.cancel();
    QAbstractButton::hideEvent(event);
}

// The left button only; moves go to the core whatever the buttons (a latched button watches
// the pointer after the release).
void SkinButtonWidget::mousePressEvent(QMouseEvent* event) {
    if (leftButton(event)) core_.mouseDown();
}

void SkinButtonWidget::mouseMoveEvent(QMouseEvent* event) {
    core_.mouseMove(rect().contains(event->position().toPoint()));
}

void SkinButtonWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (leftButton(event)) core_.mouseUp(rect().contains(event->position().toPoint()));
}

void SkinButtonWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (leftButton(event)) core_.doubleClick();
}

// --- RepeatButton ---

RepeatButtonWidget::RepeatButtonWidget(Host& host, int controlId, const std::string& caption,
                                       QWidget* parent)
    : SkinButtonWidget(button_, parent), button_(host, host, controlId, caption) {
    attach();
}

void RepeatButtonWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);  // Enter, Escape and the rest go to the window
        return;
    }
    button_.spaceDown(event->isAutoRepeat());
}

void RepeatButtonWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    // The keyboard's own repeat comes as release and press pairs: only the last release counts.
    if (!event->isAutoRepeat()) button_.spaceUp();
}

void RepeatButtonWidget::focusOutEvent(QFocusEvent* event) {
    button_.cancel();
    SkinButtonWidget::focusOutEvent(event);
}

// --- LatchButton ---

LatchButtonWidget::LatchButtonWidget(WindowSystem& windows, int controlId, const std::string& caption,
                                     QWidget* parent)
    : SkinButtonWidget(button_, parent), button_(windows, controlId, caption) {
    attach();
    setCheckable(true);  // a screen reader says latched as checked
    // A press latches and does nothing else: it does not take the keyboard focus either.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    button_.onCapture = [this](bool on) {
        if (on) {
            grabMouse();
        } else if (QWidget::mouseGrabber() == this) {
            releaseMouse();
        }
    };
    auto repaint = button_.onChanged;
    button_.onChanged = [this, repaint] {
        setChecked(button_.latched());
        repaint();
    };
}

LatchButtonWidget::~LatchButtonWidget() {
    button_.onCapture = nullptr;
    button_.onChanged = nullptr;
    if (QWidget::mouseGrabber() == this) releaseMouse();
}

void LatchButtonWidget::leaveEvent(QEvent* event) {
    button_.mouseMove(false);
    SkinButtonWidget::leaveEvent(event);
}

// The latch has no keyboard action of its own; keys go on to the window.
void LatchButtonWidget::keyPressEvent(QKeyEvent* event) { QWidget::keyPressEvent(event); }
void LatchButtonWidget::keyReleaseEvent(QKeyEvent* event) { QWidget::keyReleaseEvent(event); }

}  // namespace tovik::ui
