#include "controller/ui/qt_wait_box.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace tovik::ui {

// Neither Escape nor the window manager's close ends the wait.
class QtWaitBox::Window : public QDialog {
public:
    using QDialog::QDialog;
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

QtWaitBox::QtWaitBox(QWidget* owner) : dialog_(new Window(owner)) {
    dialog_->setObjectName("waitBox181");
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    text_ = new QLabel(dialog_);
    text_->setObjectName("waitText");
    text_->setAlignment(Qt::AlignCenter);
    auto* busy = new QProgressBar(dialog_);
    busy->setRange(0, 0);  // no end known: the bar shows activity
    busy->setTextVisible(false);
    busy->setFixedHeight(10);
    auto* layout = new QVBoxLayout(dialog_);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(12);
    layout->addWidget(text_);
    layout->addWidget(busy);
    dialog_->setMinimumWidth(280);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QtWaitBox::~QtWaitBox() { delete dialog_.data(); }

void QtWaitBox::show(const std::string& caption, const std::string& text) {
    dialog_->setWindowTitle(QString::fromStdString(caption));
    text_->setText(QString::fromStdString(text));
    dialog_->show();
    dialog_->raise();
}

void QtWaitBox::hide() {
    if (dialog_) dialog_->hide();
}

}  // namespace tovik::ui
