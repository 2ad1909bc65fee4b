#include "labeleditor/ui/qt_about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "labeleditor/ui/ui_ids.h"

namespace tovik::label {

AboutDialog::AboutDialog(const StringTable& strings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromStdString(strings.text(IDS_ABOUT_CAPTION)));
    auto* row = new QHBoxLayout;
    QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) {
        auto* picture = new QLabel(this);
        picture->setPixmap(icon.pixmap(32, 32));
        picture->setAlignment(Qt::AlignTop);
        row->addWidget(picture);
    }
    auto* name = new QLabel(QString::fromStdString(strings.text(IDS_ABOUT_VERSION)), this);
    name->setObjectName("version");
    row->addWidget(name, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tovik::label
