#include "controller/ui/qt_wait_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "controller/ui/qt_dialog_placement.h"

namespace tovik::ui {

// Neither Escape nor the window manager's close ends the wait.
class QtWaitBox::Window : public QDialog {
public:
    using QDialog::QDialog;
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

QtWaitBox::~QtWaitBox() { hide(); }

void QtWaitBox::show(const std::string& caption, const std::string& text) {
    hide();
    QWidget* front = QApplication::activeModalWidget();
    auto* dialog = new Window(front ? front : owner_.data());
    dialog_ = dialog;
    dialog->setObjectName("waitBox181");
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog->setWindowTitle(QString::fromStdString(caption));
    auto* label = new QLabel(QString::fromStdString(text), dialog);
    label->setObjectName("waitText");
    label->setAlignment(Qt::AlignCenter);
    auto* busy = new QProgressBar(dialog);
    busy->setRange(0, 0);  // no end known: the bar shows activity
    busy->setTextVisible(false);
    busy->setFixedHeight(10);
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(12);
    layout->addWidget(label);
    layout->addWidget(busy);
    dialog->setMinimumWidth(280);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    placeOver(dialog, dialog->parentWidget());
    dialog->show();
    dialog->raise();
}

void QtWaitBox::hide() {
    if (!dialog_) return;
    QDialog* dialog = dialog_;
    dialog_ = nullptr;
    dialog->hide();
    dialog->deleteLater();
}

}  // namespace tovik::ui
