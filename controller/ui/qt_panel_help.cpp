#include "controller/ui/qt_panel_help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "controller/ui/panel_layout.h"

namespace tovik::ui {

QString rotelaHelpPage(Language language) {
    const QString folder = QCoreApplication::applicationDirPath() + "/../share/tovik/help/rotela";
    const QString page = language == Language::Japanese ? "rotela.ja.html" : "rotela.en.html";
    return QDir::cleanPath(folder + "/" + page);
}

void openRotelaHelp(Host& host) {
    const QString page = rotelaHelpPage(host.strings().language());
    if (QFileInfo::exists(page) && QDesktopServices::openUrl(QUrl::fromLocalFile(page))) return;
    host.messageBoxId(IDS_HELP_FAILED, Buttons::Ok, Icon::Exclamation, page.toStdString().c_str());
}

}  // namespace tovik::ui
