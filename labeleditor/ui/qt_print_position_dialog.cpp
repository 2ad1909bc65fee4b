#include "labeleditor/ui/qt_print_position_dialog.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "labeleditor/document/sleevon_doc.h"
#include "platform/qt/qt_canvas.h"
#include "resources/dialogs.h"

namespace tovik::label {

namespace {

using resources::ControlKind;
using resources::DialogControl;

// Dialog units of a font: a quarter of its average character width, an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font) {
        QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        baseX_ = (width / 26 + 1) / 2;
        baseY_ = metrics.height();
    }
    int x(int units) const { return mulDiv(units, baseX_, 4); }
    int y(int units) const { return mulDiv(units, baseY_, 8); }
    QRect rect(const DialogControl& c) const { return QRect(x(c.x), y(c.y), x(c.cx), y(c.cy)); }

private:
    int baseX_ = 6;
    int baseY_ = 13;
};

QFont dialogFont(const resources::DialogFont& font, int logPixelsY) {
    return qt::toQFont(FontSpec{font.face, -mulDiv(font.pointSize, logPixelsY, 72)});
}

QSlider* makeSlider(const DialogControl& c, QWidget* parent) {
    const bool vertical = c.kind == ControlKind::VerticalSlider;
    auto* slider = new QSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent);
    slider->setFocusPolicy(Qt::StrongFocus);
    slider->setTickInterval(1);
    slider->setSingleStep(1);
    if (vertical) {
        // The minimum at the top: moving down raises the value, and so does the Down key.
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(true);
        slider->setTickPosition(QSlider::TicksRight);
    } else {
        slider->setTickPosition(QSlider::TicksAbove);
    }
    return slider;
}

}  // namespace

QtPrintPositionDialog::QtPrintPositionDialog(const StringTable& strings, int h, int v, QWidget* parent)
    : QDialog(parent), dlg_(h, v) {
    const resources::DialogResource& resource = *resources::sleevonDialog(CPrintPositionDlg::IDD);
    const Language language = strings.language();
    setObjectName(QStringLiteral("dialog%1").arg(resource.id));
    setWindowTitle(QString::fromUtf8(resource.caption(language)));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(dialogFont(resource.font(language), logicalDpiY()));
    const DialogUnits units(font());
    setFixedSize(units.x(resource.cx), units.y(resource.cy));

    for (const DialogControl& c : resource.controls) {
        const QString text = QString::fromUtf8(c.text(language));
        QWidget* widget = nullptr;
        switch (c.kind) {
            case ControlKind::DefaultButton:
            case ControlKind::Button: {
                auto* button = new QPushButton(text, this);
                button->setDefault(c.kind == ControlKind::DefaultButton);
                button->setAutoDefault(false);
                connect(button, &QPushButton::clicked, this, c.id == 1 ? &QDialog::accept : &QDialog::reject);
                widget = button;
                break;
            }
            case ControlKind::GroupBox: widget = new QGroupBox(text, this); break;
            case ControlKind::VerticalSlider:
            case ControlKind::HorizontalSlider:
                widget = sliders_[static_cast<unsigned>(c.id)] = makeSlider(c, this);
                break;
            case ControlKind::ReadOut: {
                auto* label = new QLabel(this);
                label->setAlignment(Qt::AlignCenter);
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                widget = readOuts_[static_cast<unsigned>(c.id)] = label;
                break;
            }
        }
        if (c.id >= 0) widget->setObjectName(QStringLiteral("control%1").arg(c.id));
        widget->setGeometry(units.rect(c));
    }

    dlg_.OnInitDialog(*this);
    // Only the user's moves count as scrolling: the initial positions are set above.
    connect(slider(CPrintPositionDlg::IDC_SLIDER_V), &QSlider::valueChanged, this, [this] { dlg_.OnVScroll(*this); });
    connect(slider(CPrintPositionDlg::IDC_SLIDER_H), &QSlider::valueChanged, this, [this] { dlg_.OnHScroll(*this); });
}

QSlider* QtPrintPositionDialog::slider(unsigned id) const {
    auto it = sliders_.find(id);
    return it == sliders_.end() ? nullptr : it->second;
}

QLabel* QtPrintPositionDialog::readOut(unsigned id) const {
    auto it = readOuts_.find(id);
    return it == readOuts_.end() ? nullptr : it->second;
}

void QtPrintPositionDialog::setSliderRange(unsigned id, int min, int max, int page) {
    if (QSlider* s = slider(id)) {
        s->setRange(min, max);
        s->setPageStep(page);
    }
}

void QtPrintPositionDialog::setSliderPos(unsigned id, int pos) {
    if (QSlider* s = slider(id)) s->setValue(pos);
}

int QtPrintPositionDialog::sliderPos(unsigned id) const {
    QSlider* s = slider(id);
    return s ? s->value() : 0;
}

void QtPrintPositionDialog::setText(unsigned id, const std::string& text) {
    if (QLabel* label = readOut(id)) label->setText(QString::fromStdString(text));
}

bool runPrintPositionDialog(const StringTable& strings, QWidget* parent, int& h, int& v) {
    QtPrintPositionDialog dialog(strings, h, v, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    h = dialog.behaviour().m_nH;
    v = dialog.behaviour().m_nV;
    return true;
}

}  // namespace tovik::label
