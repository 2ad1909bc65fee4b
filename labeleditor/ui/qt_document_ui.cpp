#include "labeleditor/ui/qt_document_ui.h"

#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QScreen>

#include "labeleditor/ui/qt_log_font.h"
#include "labeleditor/ui/ui_ids.h"

namespace tovik::label {

int QtDocumentUi::screenLogPixelsY() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

std::optional<LogFont> QtDocumentUi::chooseFont(const LogFont& initial) {
    const int dpi = screenLogPixelsY();
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, toPointSizedQFont(initial, host_.codePage(), dpi), parent_);
    if (!ok) return std::nullopt;
    return fromQFont(chosen, host_.codePage(), dpi, initial);
}

LogFont QtDocumentUi::defaultGuiFont() const { return defaultGuiFontRecord(host_.codePage(), screenLogPixelsY()); }

bool QtDocumentUi::editPrintPosition(int& h, int& v) { return printPositionDialog && printPositionDialog(h, v); }

std::optional<std::filesystem::path> QtDocumentUi::askSaveFileName(const std::filesystem::path& proposed) {
    QString name = QFileDialog::getSaveFileName(parent_, QString::fromStdString(host_.strings().text(IDS_SAVE_FILE_CAPTION)),
                                                QFile::decodeName(proposed.string().c_str()),
                                                QString::fromStdString(host_.strings().text(IDS_ALL_FILES_FILTER)));
    if (name.isEmpty()) return std::nullopt;
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

}  // namespace tovik::label
