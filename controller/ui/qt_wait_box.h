#pragma once
// The wait box on screen (template 181): a small window without buttons, "Changing MD text now."
// with a busy bar, over the window in front. The person cannot close it; the behaviour
// (disc::WaitBox) does when the unit has answered or the time is up. The window is made afresh
// each time it shows.

#include <QDialog>
#include <QPointer>

#include "controller/disc/wait_box.h"

namespace tovik::ui {

class QtWaitBox : public disc::WaitBoxView {
public:
    explicit QtWaitBox(QWidget* owner) : owner_(owner) {}
    ~QtWaitBox() override;

    void show(const std::string& caption, const std::string& text) override;
    void hide() override;

    // While it shows.
    QDialog* dialog() const { return dialog_; }

private:
    class Window;

    QPointer<QWidget> owner_;
    QPointer<QDialog> dialog_;
};

}  // namespace tovik::ui
