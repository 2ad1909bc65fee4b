#include "labeleditor/ui/print_position_dlg.h"

#include <cstdlib>

#include "platform/strings.h"

namespace tovik::label {

std::string CPrintPositionDlg::offsetText(int value) {
    const unsigned magnitude = static_cast<unsigned>(std::abs(static_cast<long>(value)));
    return formatText("%c%d.%1.1u mm", value < 0 ? '-' : ' ', static_cast<int>(magnitude / 10), magnitude % 10);
}

bool CPrintPositionDlg::OnInitDialog(PrintPositionControls& controls) {
    for (unsigned id : {IDC_SLIDER_V, IDC_SLIDER_H}) controls.setSliderRange(id, kSliderMin, kSliderMax, kSliderPage);
    controls.setSliderPos(IDC_SLIDER_V, m_nV + kSliderCentre);
    controls.setSliderPos(IDC_SLIDER_H, m_nH + kSliderCentre);
    controls.setText(IDC_OFFSET_V, offsetText(m_nV));
    controls.setText(IDC_OFFSET_H, offsetText(m_nH));
    return true;
}

void CPrintPositionDlg::OnVScroll(PrintPositionControls& controls) {
    m_nV = controls.sliderPos(IDC_SLIDER_V) - kSliderCentre;
    controls.setText(IDC_OFFSET_V, offsetText(m_nV));
}

void CPrintPositionDlg::OnHScroll(PrintPositionControls& controls) {
    m_nH = controls.sliderPos(IDC_SLIDER_H) - kSliderCentre;
    controls.setText(IDC_OFFSET_H, offsetText(m_nH));
}

}  // namespace tovik::label
