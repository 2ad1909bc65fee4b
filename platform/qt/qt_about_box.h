#pragma once
// The programs' About box: the program's icon, its name in bold, its version, and OK (Escape
// closes it too). Each program passes its own texts and icon.

#include <QDialog>
#include <QPixmap>
#include <QString>

namespace tovik::qt {

class AboutBox : public QDialog {
public:
    AboutBox(const QString& title, const QString& program, const QString& version,
             const QPixmap& icon, QWidget* parent = nullptr);
};

}  // namespace tovik::qt
