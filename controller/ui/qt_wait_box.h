#pragma once
// The wait box on screen (template 181): a small window without buttons, "Changing MD text now."
// with a busy bar, over the window that asked. The person cannot close it; the behaviour
// (disc::WaitBox) does when the unit has answered or the time is up.

#include <QDialog>
#include <QPointer>

#include "controller/disc/wait_box.h"

class QLabel;

namespace tovik::ui {

class QtWaitBox : public disc::WaitBoxView {
public:
    explicit QtWaitBox(QWidget* owner);
    ~QtWaitBox() override;

    void show(const std::string& caption, const std::string& text) override;
    void hide() override;

    QDialog* dialog() const { return dialog_; }

private:
    class Window;
    QPointer<QDialog> dialog_;  // a child of the owner, which may go first
    QLabel* text_;
};

}  // namespace tovik::ui
