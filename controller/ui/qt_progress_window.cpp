#include "controller/ui/qt_progress_window.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovik::ui {

QtProgressWindow::~QtProgressWindow() { close(); }

void QtProgressWindow::open(const std::string& title, const std::string& text,
                            std::function<void()> onCancel) {
    close();
    auto* dialog = new QDialog(owner_);
    dialog->setObjectName("progress122");
    dialog->setWindowTitle(QString::fromStdString(title));
    dialog->setModal(false);
    // Closing the window is Cancel too: the cycle decides when the dialog goes.
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);

    bar_ = new QProgressBar(dialog);
    bar_->setObjectName("progress1003");
    bar_->setRange(disc::ProgressDialog::kLower, disc::ProgressDialog::kUpper);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    text_ = new QLabel(QString::fromStdString(text), dialog);
    text_->setObjectName("progress1004");
    auto* cancel = new QPushButton(QObject::tr("Cancel"), dialog);
    cancel->setObjectName("cancel2");
    QObject::connect(cancel, &QPushButton::clicked, dialog, [onCancel] { onCancel(); });
    QObject::connect(dialog, &QDialog::rejected, dialog, [onCancel] { onCancel(); });

    auto* row = new QHBoxLayout;
    row->addWidget(bar_, 1);
    row->addWidget(text_);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(row);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);

    dialog_ = dialog;
    if (owner_) owner_->setEnabled(false);
    dialog->setEnabled(true);  // a child of the disabled owner stays usable
    dialog->show();
}

void QtProgressWindow::setPosition(int position) {
    if (dialog_) bar_->setValue(position);
}

void QtProgressWindow::setText(const std::string& text) {
    if (dialog_) text_->setText(QString::fromStdString(text));
}

void QtProgressWindow::pumpMessages() {
    if (dialog_) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtProgressWindow::close() {
    if (owner_) owner_->setEnabled(true);
    if (!dialog_) return;
    QDialog* dialog = dialog_;
    dialog_ = nullptr;
    bar_ = nullptr;
    text_ = nullptr;
    dialog->hide();
    dialog->deleteLater();
}

}  // namespace tovik::ui
