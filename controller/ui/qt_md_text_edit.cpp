#include "controller/ui/qt_md_text_edit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace tovik::ui {

MdTextLineEdit::MdTextLineEdit(const CodePage& codePage, Language language, QWidget* parent)
    : QLineEdit(parent), codePage_(codePage), filter_(*this, language) {}

void MdTextLineEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!filtering() || text.isEmpty() || shortcut || text.front().unicode() < 0x20 ||
        text.front().unicode() == 0x7F) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    sendCharacters(text, disc::WM_CHAR);
}

void MdTextLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!filtering() || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The composition still shows as the input method draws it; what it commits goes through
    // the filter.
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&composing);
    sendCharacters(event->commitString(), disc::WM_IME_CHAR);
}

void MdTextLineEdit::sendCharacters(const QString& text, Msg msg) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const std::optional<std::string> bytes = codePage_.fromUtf8(text.mid(i, length).toStdString());
        i += length;
        if (!bytes || bytes->empty() || bytes->size() > 2) {
            beep();
            continue;
        }
        const auto first = static_cast<unsigned char>((*bytes)[0]);
        const WParam character =
            bytes->size() == 1 ? first : (WParam{first} << 8) | static_cast<unsigned char>((*bytes)[1]);
        filter_.onMessage(msg, character, 0);
    }
}

void MdTextLineEdit::defaultProcessing(Msg msg, WParam wParam, LParam) {
    if (msg != disc::WM_CHAR) return;
    std::string bytes;
    if (wParam > 0xFF) bytes += static_cast<char>((wParam >> 8) & 0xFF);
    bytes += static_cast<char>(wParam & 0xFF);
    insert(QString::fromStdString(codePage_.toUtf8(bytes)));
}

void MdTextLineEdit::beep() { QApplication::beep(); }

}  // namespace tovik::ui
