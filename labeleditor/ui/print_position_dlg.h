#pragma once
// CPrintPositionDlg (dialog 138, "Print position"): two sliders that move the printed labels by
// up to 10.0 mm each way, in steps of 0.1 mm, with a read-out of each offset. The dialog works on
// its own copy of the offsets; the document takes them back only on OK.

#include <string>

namespace tovik::label {

// The dialog's controls as the behaviour sees them.
class PrintPositionControls {
public:
    virtual ~PrintPositionControls() = default;
    virtual void setSliderRange(unsigned id, int min, int max, int page) = 0;
    virtual void setSliderPos(unsigned id, int pos) = 0;
    virtual int sliderPos(unsigned id) const = 0;
    virtual void setText(unsigned id, const std::string& text) = 0;
};

class CPrintPositionDlg {
public:
    static constexpr unsigned IDD = 138;
    static constexpr unsigned IDC_SLIDER_H = 1013;
    static constexpr unsigned IDC_SLIDER_V = 1014;
    static constexpr unsigned IDC_OFFSET_V = 1015;
    static constexpr unsigned IDC_OFFSET_H = 1016;
    // Slider positions 0 to 200 stand for offsets −100 to +100 (−10.0 mm to +10.0 mm).
    static constexpr int kSliderMin = 0;
    static constexpr int kSliderMax = 200;
    static constexpr int kSliderCentre = 100;
    static constexpr int kSliderPage = 20;

    CPrintPositionDlg(int h, int v) : m_nH(h), m_nV(v) {}

    // Sets up both sliders and read-outs from H and V; true leaves the focus to the dialog.
    bool OnInitDialog(PrintPositionControls& controls);
    // A slider moved (by any means): its offset and read-out follow.
    void OnVScroll(PrintPositionControls& controls);
    void OnHScroll(PrintPositionControls& controls);

    // An offset in 0.1 mm as the read-outs show it: "-1.5 mm", " 0.0 mm", " 10.0 mm".
    static std::string offsetText(int value);

    int m_nH;  // 0.1 mm, positive to the right
    int m_nV;  // 0.1 mm, positive downward
};

}  // namespace tovik::label
