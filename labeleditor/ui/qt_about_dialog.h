#pragma once
// The About box: the program's name and version, and OK.

#include <QDialog>

#include "platform/strings.h"

namespace tovik::label {

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(const StringTable& strings, QWidget* parent = nullptr);
};

}  // namespace tovik::label
