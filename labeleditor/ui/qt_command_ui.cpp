#include "labeleditor/ui/qt_command_ui.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace tovik::label {

namespace {

constexpr std::pair<unsigned, int> kKeys[] = {
    {resources::VK_TAB, Qt::Key_Tab},       {resources::VK_RETURN, Qt::Key_Return},
    {resources::VK_INSERT, Qt::Key_Insert}, {resources::VK_DELETE, Qt::Key_Delete},
    {resources::VK_F1, Qt::Key_F1},         {resources::VK_F6, Qt::Key_F6},
    {resources::VK_F10, Qt::Key_F10},
};

}  // namespace

std::pair<QString, QString> promptAndTip(const StringTable& strings, unsigned id) {
    const QString text = QString::fromStdString(strings.text(id));
    const qsizetype cut = text.indexOf('\n');
    if (cut < 0) return {text, QString()};
    return {text.left(cut), text.mid(cut + 1)};
}

unsigned commandOf(const QAction* action) { return action ? action->data().toUInt() : 0; }

QAction* makeCommandAction(QObject* parent, unsigned id, const QString& text, const StringTable& strings) {
    auto* action = new QAction(text, parent);
    action->setData(id);
    auto [prompt, tip] = promptAndTip(strings, id);
    action->setStatusTip(prompt);
    if (!tip.isEmpty()) action->setToolTip(tip);
    return action;
}

void fillMenu(QMenu& menu, std::span<const resources::MenuItem> items, const StringTable& strings) {
    for (const resources::MenuItem& item : items) {
        if (item.isSeparator()) {
            menu.addSeparator();
        } else if (!item.popup.empty()) {
            QMenu* sub = menu.addMenu(QString::fromUtf8(item.text(strings.language())));
            fillMenu(*sub, item.popup, strings);
        } else {
            menu.addAction(makeCommandAction(&menu, item.id, QString::fromUtf8(item.text(strings.language())), strings));
        }
    }
}

QMenu* makePopupMenu(unsigned menuId, const StringTable& strings, QWidget* parent) {
    const resources::MenuResource* resource = resources::sleevonMenu(menuId);
    if (!resource || resource->items.empty()) return nullptr;
    auto* menu = new QMenu(parent);
    fillMenu(*menu, resource->items.front().popup, strings);
    return menu;
}

QKeySequence keySequenceOf(const resources::Accelerator& accelerator) {
    int key = 0;
    for (auto [vk, qtKey] : kKeys)
        if (vk == accelerator.key) key = qtKey;
    if (key == 0) key = static_cast<int>(accelerator.key);  // letters are their own Qt key
    Qt::KeyboardModifiers modifiers;
    if (accelerator.control) modifiers |= Qt::ControlModifier;
    if (accelerator.shift) modifiers |= Qt::ShiftModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

unsigned virtualKeyOf(int qtKey) {
    for (auto [vk, key] : kKeys)
        if (key == qtKey) return vk;
    return 0;
}

bool isShiftTabPress(const QEvent& event) {
    if (event.type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(event);
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    return key.key() == Qt::Key_Backtab || (key.key() == Qt::Key_Tab && (key.modifiers() & Qt::ShiftModifier));
}

}  // namespace tovik::label
