#include "controller/ui/qt_name_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "controller/disc/editing_texts.h"
#include "controller/ui/qt_md_text_edit.h"

namespace tovik::ui {

// Escape and the close box ask the behaviour instead of closing the window.
class QtNameDialog::Window : public QDialog {
public:
    Window(QtNameDialog& owner, QWidget* parent) : QDialog(parent), owner_(owner) {}
    void reject() override {
        if (owner_.onCancel) owner_.onCancel();
    }
    void accept() override {
        if (owner_.onOk) owner_.onOk();
    }

private:
    QtNameDialog& owner_;
};

QtNameDialog::QtNameDialog(Host& host, QWidget* owner) : dialog_(new Window(*this, owner)) {
    dialog_->setObjectName("nameDialog171");
    dialog_->setWindowModality(Qt::ApplicationModal);
    field_ = new MdTextLineEdit(host.codePage(), host.strings().language(), dialog_);
    field_->setObjectName("edit1042");
    field_->setMaxLength(disc::kNameMaxChars);
    field_->setMinimumWidth(320);

    auto* buttons = new QDialogButtonBox(dialog_);
    QPushButton* ok = buttons->addButton(QString::fromStdString(host.strings().text(disc::IDS_DIALOG_OK)),
                                         QDialogButtonBox::AcceptRole);
    ok->setObjectName("ok1");
    ok->setDefault(true);
    buttons->addButton(QString::fromStdString(host.strings().text(disc::IDS_DIALOG_CANCEL)),
                       QDialogButtonBox::RejectRole)
        ->setObjectName("cancel2");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog_, [this] { dialog_->accept(); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog_, [this] { dialog_->reject(); });

    auto* layout = new QVBoxLayout(dialog_);
    layout->addWidget(field_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QtNameDialog::~QtNameDialog() { delete dialog_.data(); }

void QtNameDialog::show(const std::string& caption, const std::string& name) {
    dialog_->setWindowTitle(QString::fromStdString(caption));
    field_->setText(QString::fromStdString(name));
    field_->selectAll();
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    field_->setFocus();
}

std::string QtNameDialog::text() const { return field_->text().toStdString(); }

void QtNameDialog::setText(const std::string& text) {
    field_->setText(QString::fromStdString(text));
    field_->setFocus();
}

void QtNameDialog::hide() {
    if (dialog_) dialog_->hide();
}

}  // namespace tovik::ui
