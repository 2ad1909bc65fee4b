#pragma once
// The About box: the program's icon, name and version, and an OK button.

#include <QDialog>

#include "launcher/tray_desktop.h"

namespace tovik::launcher {

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(const AboutTexts& texts, QWidget* parent = nullptr);
};

}  // namespace tovik::launcher
