#include "labeleditor/ui/qt_help_window.h"

#include <QScrollBar>

#include "labeleditor/ui/ui_ids.h"

namespace tovik::label {

HelpWindow::HelpWindow(const StringTable& strings, QWidget* parent) : QTextBrowser(parent) {
    setWindowFlag(Qt::Window);
    setWindowTitle(QString::fromStdString(strings.text(IDS_HELP_CAPTION)));
    setOpenExternalLinks(false);
    document()->setDocumentMargin(12);
    setSource(QUrl(pageFor(strings.language())));
    resize(560, 640);
}

QString HelpWindow::pageFor(Language language) {
    return language == Language::Japanese ? "qrc:/sleevon/help/sleevon.ja.html" : "qrc:/sleevon/help/sleevon.en.html";
}

void HelpWindow::showSection(const QString& anchor) {
    if (anchor.isEmpty()) {
        verticalScrollBar()->setValue(0);
    } else {
        scrollToAnchor(anchor);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace tovik::label
