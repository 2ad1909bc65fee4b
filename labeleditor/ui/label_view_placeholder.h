#pragma once
// The label preview pane while the label layout is not drawn yet: a blank page that takes the
// focus like any view and says it cannot print, so print, preview and the print position stay
// disabled. The label layout's view takes this pane's place (see makeLabelPreviewPane).

#include <QWidget>

#include "labeleditor/ui/qt_main_frame.h"

namespace tovik::label {

class LabelViewPlaceholder : public QWidget, public LabelPreview {
public:
    explicit LabelViewPlaceholder(QWidget* parent = nullptr);

    void OnInitialUpdate() override {}
    bool onCommand(unsigned) override { return false; }
    std::optional<CommandState> commandState(unsigned) const override { return std::nullopt; }
    bool canPrint() const override { return false; }
    void print() override {}
    void printPreview() override {}
};

}  // namespace tovik::label
