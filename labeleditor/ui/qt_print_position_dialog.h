#pragma once
// The print position dialog on screen, laid out from template 138 in the dialog font's units.

#include <QDialog>

#include <map>

#include "labeleditor/ui/print_position_dlg.h"
#include "platform/strings.h"

class QLabel;
class QSlider;

namespace tovik::label {

class QtPrintPositionDialog : public QDialog, public PrintPositionControls {
public:
    QtPrintPositionDialog(const StringTable& strings, int h, int v, QWidget* parent = nullptr);

    const CPrintPositionDlg& behaviour() const { return dlg_; }
    QSlider* slider(unsigned id) const;
    QLabel* readOut(unsigned id) const;

    // --- PrintPositionControls ---
    void setSliderRange(unsigned id, int min, int max, int page) override;
    void setSliderPos(unsigned id, int pos) override;
    int sliderPos(unsigned id) const override;
    void setText(unsigned id, const std::string& text) override;

private:
    CPrintPositionDlg dlg_;
    std::map<unsigned, QSlider*> sliders_;
    std::map<unsigned, QLabel*> readOuts_;
};

// Runs the dialog modally on the offsets; true and the new values on OK.
bool runPrintPositionDialog(const StringTable& strings, QWidget* parent, int& h, int& v);

}  // namespace tovik::label
