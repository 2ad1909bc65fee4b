#include "launcher/qt/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "launcher/launcher_ids.h"
#include "launcher/qt/tray_images.h"

namespace tovik::launcher {

namespace {
constexpr int kIconSize = 32;
}

AboutDialog::AboutDialog(const AboutTexts& texts, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromStdString(texts.title));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setObjectName("aboutBox");

    auto* icon = new QLabel(this);
    icon->setPixmap(trayImage(IDI_CARD_READY).pixmap(kIconSize, kIconSize));
    icon->setAlignment(Qt::AlignTop);

    auto* program = new QLabel(QString::fromStdString(texts.program), this);
    QFont bold = program->font();
    bold.setBold(true);
    program->setFont(bold);
    auto* version = new QLabel(QString::fromStdString(texts.version), this);
    version->setObjectName("version");

    // OK and Cancel (Esc) both simply close the box.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(16);
    layout->setColumnMinimumWidth(1, 180);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(program, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tovik::launcher
