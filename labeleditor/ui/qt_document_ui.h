#pragma once
// The document's dialogs on screen: the font dialog, the file name to save under, and the print
// position dialog, which belongs to the label layout and is plugged in by it.

#include <functional>

#include "labeleditor/document/document_ports.h"
#include "platform/host.h"

class QWidget;

namespace tovik::label {

class QtDocumentUi : public DocumentUi {
public:
    explicit QtDocumentUi(Host& host) : host_(host) {}
    // The window the dialogs belong to.
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<LogFont> chooseFont(const LogFont& initial) override;
    LogFont defaultGuiFont() const override;
    bool editPrintPosition(int& h, int& v) override;
    std::optional<std::filesystem::path> askSaveFileName(const std::filesystem::path& proposed) override;

    // The print position dialog (on the two offsets, true on OK). Until it is set the command
    // stays disabled and this answers Cancel.
    std::function<bool(int& h, int& v)> printPositionDialog;

private:
    int screenLogPixelsY() const;

    Host& host_;
    QWidget* parent_ = nullptr;
};

}  // namespace tovik::label
