#include "labeleditor/ui/qt_bar_combo.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "platform/qt/qt_canvas.h"
#include "resources/skin/skin_catalog.h"
#include "resources/skin/skin_resources.h"

namespace tovik::label {

namespace {

std::optional<BarKey> barKeyOf(int key) {
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return BarKey::Tab;  // Shift does not matter
        case Qt::Key_Escape: return BarKey::Escape;
        case Qt::Key_Return:
        case Qt::Key_Enter: return BarKey::Return;
        case Qt::Key_Up: return BarKey::Up;
        case Qt::Key_Down: return BarKey::Down;
        default: return std::nullopt;
    }
}

// The TrueType glyph: the right half of the two-glyph bitmap.
QPixmap trueTypeGlyph(qreal ratio) {
    skin::sleevon::registerSkin();
    const QPixmap both = qt::programSkin().pixmap(skin::bitmap::kFontTypeGlyphs, ratio);
    const qreal scale = both.devicePixelRatio();
    QPixmap half = both.copy(QRect(QPoint(static_cast<int>(16 * scale), 0),
                                   QSize(static_cast<int>(16 * scale), static_cast<int>(15 * scale))));
    half.setDevicePixelRatio(scale);
    return half;
}

}  // namespace

QtBarCombo::QtBarCombo(int textLimit, QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // a typed beginning is matched when the box is left, not while typing
    setMaxVisibleItems(12);
    setFocusPolicy(Qt::StrongFocus);
    lineEdit()->setMaxLength(textLimit);
    // Typing leaves no item selected; choosing one from the list selects it.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { selected_ = -1; });
    connect(this, &QComboBox::activated, this, [this](int index) { selected_ = index; });
    view()->installEventFilter(this);
}

void QtBarCombo::setItems(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) list.append(QString::fromStdString(text));
    clear();
    addItems(list);
    select(-1);
}

void QtBarCombo::select(int index) {
    selected_ = index;
    setCurrentIndex(index);
    // Qt leaves the edit field alone when the index does not change, even after typing.
    const QString text = index < 0 ? QString() : itemText(index);
    if (lineEdit()->text() != text) lineEdit()->setText(text);
}

std::string QtBarCombo::editText() const { return lineEdit()->text().toStdString(); }

void QtBarCombo::setEditText(const std::string& text) { lineEdit()->setText(QString::fromStdString(text)); }

bool QtBarCombo::hasFocus() const { return QComboBox::hasFocus() || lineEdit()->hasFocus() || listOpen_; }

void QtBarCombo::setFocus() { QComboBox::setFocus(Qt::TabFocusReason); }

void QtBarCombo::showPopup() {
    if (listOpen_) return;
    if (reports.dropDown) reports.dropDown();
    listOpen_ = true;
    QComboBox::showPopup();
}

void QtBarCombo::hidePopup() {
    QComboBox::hidePopup();
    if (!listOpen_) return;
    listOpen_ = false;
    // Qt closes the list before it selects the item chosen in it; the box reports the close
    // once that is done, as the bar expects the choice to be in the box by then.
    QMetaObject::invokeMethod(
        this, [this] {
            if (reports.closeUp) reports.closeUp();
        },
        Qt::QueuedConnection);
}

bool QtBarCombo::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto barKey = barKeyOf(key->key());
        if (barKey && reports.key) {
            const bool alt = key->modifiers() & Qt::AltModifier;
            const bool control = key->modifiers() & Qt::ControlModifier;
            if (event->type() == QEvent::ShortcutOverride) {
                // The keys the box takes itself are not the window's shortcuts (Tab switches
                // the lists there, Shift+Enter edits a name).
                const bool arrow = *barKey == BarKey::Up || *barKey == BarKey::Down;
                if (!arrow || !(alt || control)) {
                    event->accept();
                    return true;
                }
            } else if (reports.key(*barKey, alt, control)) {
                event->accept();
                return true;
            }
        }
    }
    return QComboBox::event(event);
}

bool QtBarCombo::eventFilter(QObject* watched, QEvent* event) {
    // Escape in the open list is Escape in the box: the document's font comes back before the
    // focus goes, rather than the list just closing.
    if (watched == view() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && reports.key) {
        hidePopup();
        reports.key(BarKey::Escape, false, false);
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void QtBarCombo::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    // The focus going to the box's own list and coming back is no news: the box keeps it.
    if (!listOpen_ && event->reason() != Qt::PopupFocusReason && reports.setFocus) reports.setFocus();
}

void QtBarCombo::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (!listOpen_ && event->reason() != Qt::PopupFocusReason && reports.killFocus) reports.killFocus();
}

// --- FaceItemDelegate ---

FaceItemDelegate::FaceItemDelegate(std::function<bool(int row)> isTrueType, int itemHeight, QObject* parent)
    : QStyledItemDelegate(parent), isTrueType_(std::move(isTrueType)), itemHeight_(itemHeight) {}

void FaceItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(r, selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base));
    if (isTrueType_ && isTrueType_(index.row())) {
        const QPixmap glyph = trueTypeGlyph(painter->device()->devicePixelRatioF());
        painter->setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter->drawPixmap(r.topLeft(), glyph);
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    painter->setFont(option.font);
    painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
    const QRect text = r.adjusted(kTextIndent, 0, 0, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
    painter->restore();
}

QSize FaceItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int textWidth = option.fontMetrics.horizontalAdvance(index.data().toString());
    return QSize(kTextIndent + textWidth + 4, itemHeight_);
}

}  // namespace tovik::label
