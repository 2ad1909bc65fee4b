#pragma once
// Commands on screen: Qt actions that carry a command id, built from the menu and accelerator
// resources, with the status-bar prompt and tool tip that the string of the same id gives.

#include <QKeySequence>
#include <QString>

#include <span>
#include <utility>

#include "platform/strings.h"
#include "resources/menus.h"

class QAction;
class QEvent;
class QMenu;
class QObject;
class QWidget;

namespace tovik::label {

// The status-bar prompt and the tool tip of the string with the id ("prompt\ntool tip"; a
// string without a tool tip part has none).
std::pair<QString, QString> promptAndTip(const StringTable& strings, unsigned id);
// The command id an action carries; 0 for none (a separator, a pop-up).
unsigned commandOf(const QAction* action);
// An action for a command, with the prompt and tool tip of its string.
QAction* makeCommandAction(QObject* parent, unsigned id, const QString& text, const StringTable& strings);
// Adds the items (and their pop-ups) to a menu.
void fillMenu(QMenu& menu, std::span<const resources::MenuItem> items, const StringTable& strings);
// The first pop-up of a menu resource, as its own menu; nullptr when there is no such resource.
QMenu* makePopupMenu(unsigned menuId, const StringTable& strings, QWidget* parent);
QKeySequence keySequenceOf(const resources::Accelerator& accelerator);
// The virtual-key code of a Qt key, 0 when it has none here.
unsigned virtualKeyOf(int qtKey);
// A press of Shift+Tab. No table binds it, so the panes and the lists' editor take it and do
// nothing, where Qt would walk its focus chain (or move the editor to the row above).
bool isShiftTabPress(const QEvent& event);

}  // namespace tovik::label
