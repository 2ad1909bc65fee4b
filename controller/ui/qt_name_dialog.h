#pragma once
// The name dialog on screen (template 171): the caption, one filtered line of at most 100
// characters and OK / Cancel. It only shows: OK, Cancel, Enter, Escape and the close box go to
// the behaviour (disc::NameDialog), which decides when the dialog goes. The window is made
// afresh each time it shows, over the window that is in front then.

#include <QDialog>
#include <QPointer>

#include <functional>

#include "controller/disc/name_dialog.h"
#include "platform/host.h"

namespace tovik::ui {

class MdTextLineEdit;

class QtNameDialog : public disc::NameDialogView {
public:
    QtNameDialog(Host& host, QWidget* owner);
    ~QtNameDialog() override;

    void show(const std::string& caption, const std::string& name) override;
    std::string text() const override;
    void setText(const std::string& text) override;
    void hide() override;

    // The buttons; main() points them at the behaviour.
    std::function<void()> onOk;
    std::function<void()> onCancel;

    // While it shows.
    QDialog* dialog() const { return dialog_; }
    MdTextLineEdit* field() const { return field_; }

private:
    class Window;
    void build();

    Host& host_;
    QPointer<QWidget> owner_;
    QPointer<QDialog> dialog_;
    MdTextLineEdit* field_ = nullptr;
};

}  // namespace tovik::ui
