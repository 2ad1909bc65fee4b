#pragma once
// The read cycle's progress dialog on screen (template 122): a modeless dialog titled
// "MD Track data read" with a bar, the percentage text and Cancel, over the panel's window,
// which stays disabled while the dialog exists.

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include "controller/disc/progress_dialog.h"

class QLabel;
class QProgressBar;

namespace tovik::ui {

class QtProgressWindow : public disc::ProgressWindow {
public:
    // owner: the panel's window (may be null).
    explicit QtProgressWindow(QWidget* owner) : owner_(owner) {}
    ~QtProgressWindow() override;

    void open(const std::string& title, const std::string& text,
              std::function<void()> onCancel) override;
    void setPosition(int position) override;
    void setText(const std::string& text) override;
    void pumpMessages() override;
    void close() override;

    QDialog* dialog() const { return dialog_; }

private:
    QPointer<QWidget> owner_;
    QPointer<QDialog> dialog_;
    QProgressBar* bar_ = nullptr;
    QLabel* text_ = nullptr;
};

}  // namespace tovik::ui
