#include "controller/ui/qt_name_popup.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "controller/ui/name_popup_layout.h"
#include "platform/qt/qt_canvas.h"

namespace tovik::ui {

namespace {

// Left and right text margins of the edit together; the document margin is half of it.
constexpr int kEditMargins = 4;

}  // namespace

NamePopup::NamePopup(const std::string& utf8Name, const FontSpec& font, QPoint topLeft, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), edit_(new QPlainTextEdit(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QString::fromUtf8(utf8Name));

    edit_->setFont(qt::toQFont(font));
    edit_->setReadOnly(true);
    edit_->setFocusPolicy(Qt::NoFocus);
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setFrameStyle(QFrame::Box | QFrame::Plain);
    edit_->document()->setDocumentMargin(kEditMargins / 2.0);

    const QFontMetrics metrics(edit_->font());
    NamePopupMetrics popupMetrics{
        [&metrics](std::string_view line) {
            QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
            return Size{metrics.horizontalAdvance(text), metrics.lineSpacing()};
        },
        edit_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, edit_), kEditMargins};
    const NamePopupLayout layout = layoutNamePopup(utf8Name, popupMetrics);
    edit_->setPlainText(QString::fromStdString(layout.text()));
    edit_->setVerticalScrollBarPolicy(layout.scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);

    // The edit's client area is the layout's; the frame and the scroll bar come around it.
    const int frame = edit_->frameWidth();
    const int scrollBar = layout.scrollBar ? popupMetrics.scrollBarWidth : 0;
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(edit_);
    setFixedSize(layout.editClient.cx + 2 * frame + scrollBar, layout.editClient.cy + 2 * frame);
    move(topLeft);

    qApp->installEventFilter(this);
}

NamePopup::~NamePopup() { qApp->removeEventFilter(this); }

// Any key or mouse button anywhere in the program, or the program losing the active window,
// ends the pop-up; the event itself goes on to where it was going.
bool NamePopup::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
            close();
            break;
        case QEvent::ApplicationDeactivate:
            close();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tovik::ui
