#include "controller/ui/qt_name_dialog.h"

#include <algorithm>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "controller/disc/editing_texts.h"
#include "controller/ui/qt_dialog_placement.h"
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

QtNameDialog::QtNameDialog(Host& host, QWidget* owner) : host_(host), owner_(owner) {}

QtNameDialog::~QtNameDialog() { hide(); }

void QtNameDialog::build() {
    auto text = [this](unsigned id) { return QString::fromStdString(host_.strings().text(id)); };
    // Over the window in front: the track list editor while it is open, else the panel.
    QWidget* front = QApplication::activeModalWidget();
    auto* dialog = new Window(*this, front ? front : owner_.data());
    dialog_ = dialog;
    dialog->setObjectName("nameDialog171");
    dialog->setWindowModality(Qt::ApplicationModal);
    field_ = new MdTextLineEdit(host_.codePage(), host_.strings().language(), dialog);
    field_->setObjectName("edit1042");
    field_->setMaxLength(disc::kNameMaxChars);
    field_->setMinimumWidth(320);

    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(text(disc::IDS_DIALOG_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName("ok1");
    ok->setDefault(true);
    buttons->addButton(text(disc::IDS_DIALOG_CANCEL), QDialogButtonBox::RejectRole)->setObjectName("cancel2");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [dialog] { dialog->accept(); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, [dialog] { dialog->reject(); });

    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(field_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    placeOver(dialog, dialog->parentWidget());
}

void QtNameDialog::show(const std::string& caption, const std::string& name) {
    hide();
    build();
    dialog_->setWindowTitle(QString::fromStdString(caption));
    // The limit is on typing. A longer name already on the disc shows whole, as a set text
    // passes an edit's limit; cut to the limit, an OK without a change would shorten it.
    const QString text = QString::fromStdString(name);
    field_->setMaxLength(std::max<int>(disc::kNameMaxChars, static_cast<int>(text.size())));
    field_->setText(text);
    field_->selectAll();
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    field_->setFocus();
}

std::string QtNameDialog::text() const { return field_ ? field_->text().toStdString() : std::string(); }

void QtNameDialog::setText(const std::string& text) {
    if (!field_) return;
    field_->setText(QString::fromStdString(text));
    field_->setFocus();
}

void QtNameDialog::hide() {
    field_ = nullptr;
    if (!dialog_) return;
    QDialog* dialog = dialog_;
    dialog_ = nullptr;
    dialog->hide();
    dialog->deleteLater();  // one of its buttons may be what called
}

}  // namespace tovik::ui
