#include "labeleditor/ui/qt_about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>

#include "labeleditor/ui/ui_ids.h"

namespace tovik::label {

AboutDialog::AboutDialog(const StringTable& strings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromStdString(strings.text(IDS_ABOUT_CAPTION)));
    // The classic layout: icon and name on the left, OK at the top right.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);
    QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) {
        auto* picture = new QLabel(this);
        picture->setPixmap(icon.pixmap(32, 32));
        row->addWidget(picture, 0, Qt::AlignTop);
    }
    auto* name = new QLabel(QString::fromStdString(strings.text(IDS_ABOUT_VERSION)), this);
    name->setObjectName("version");
    name->setMinimumWidth(180);
    row->addWidget(name, 1, Qt::AlignTop);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    row->addWidget(buttons, 0, Qt::AlignTop);
    row->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tovik::label
