#include "platform/qt/qt_about_box.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace tovik::qt {

AboutBox::AboutBox(const QString& title, const QString& program, const QString& version,
                   const QPixmap& icon, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setObjectName("aboutBox");

    auto* picture = new QLabel(this);
    picture->setPixmap(icon);
    picture->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(program, this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* versionLabel = new QLabel(version, this);
    versionLabel->setObjectName("version");

    // OK and Cancel (Esc) both simply close the box.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(16);
    layout->setColumnMinimumWidth(1, 180);
    layout->addWidget(picture, 0, 0, 2, 1);
    layout->addWidget(name, 0, 1);
    layout->addWidget(versionLabel, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tovik::qt
