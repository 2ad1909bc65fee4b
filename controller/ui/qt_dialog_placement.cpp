#include "controller/ui/qt_dialog_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tovik::ui {

namespace {

constexpr int kGap = 4;

QRect availableArea(const QWidget* anchor) {
    QScreen* screen = anchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QPoint clampInto(QRect rect, const QRect& area) {
    rect.moveLeft(std::clamp(rect.left(), area.left(), std::max(area.left(), area.right() + 1 - rect.width())));
    rect.moveTop(std::clamp(rect.top(), area.top(), std::max(area.top(), area.bottom() + 1 - rect.height())));
    return rect.topLeft();
}

}  // namespace

void placeBelow(QWidget* dialog, const QWidget* anchor) {
    dialog->adjustSize();
    const QRect area = availableArea(anchor);
    if (!anchor || !anchor->isVisible()) {
        QRect rect(QPoint(0, 0), dialog->size());
        rect.moveCenter(area.center());
        dialog->move(clampInto(rect, area));
        return;
    }
    const QRect at = anchor->frameGeometry();
    QRect rect(QPoint(at.left(), at.bottom() + 1 + kGap), dialog->size());
    if (rect.bottom() > area.bottom()) rect.moveBottom(at.top() - 1 - kGap);
    dialog->move(clampInto(rect, area));
}

void placeOver(QWidget* dialog, const QWidget* anchor) {
    dialog->adjustSize();
    const QRect area = availableArea(anchor);
    QRect rect(QPoint(0, 0), dialog->size());
    rect.moveCenter(anchor && anchor->isVisible() ? anchor->frameGeometry().center() : area.center());
    dialog->move(clampInto(rect, area));
}

}  // namespace tovik::ui
