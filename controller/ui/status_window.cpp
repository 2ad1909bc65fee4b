#include "controller/ui/status_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controller/link/md_commands.h"
#include "controller/link/status_report.h"
#include "controller/link/unit_messages.h"
#include "controller/ui/qt_display_widget.h"

namespace tovik::ui {

using link::Column;

namespace {

struct ButtonSpec {
    int id;
    Column column;
    const char* caption;
};

// The deck's buttons in the panel's arrangement: power and access, transport, recording.
constexpr ButtonSpec kButtons[] = {
    {link::IDC_POWER, Column::POWER, "POWER"},     {link::IDC_ACCESS, Column::ACCESS, "ACCESS"},
    {link::IDC_TIME, Column::TIME, "TIME"},        {link::IDC_MDSTOP, Column::MDSTOP, "STOP"},
    {link::IDC_MDPLAY, Column::MDPLAY, "PLAY"},    {link::IDC_REV, Column::REV, "REV"},
    {link::IDC_FF, Column::FF, "FF"},              {link::IDC_DOWN, Column::DOWN, "DOWN"},
    {link::IDC_UP, Column::UP, "UP"},              {link::IDC_SYNC_REC, Column::SYNC_REC, "SYNC REC"},
    {link::IDC_REC, Column::REC, "REC"},           {link::IDC_AUTOMARK, Column::AUTOMARK, "AUTO MARK"},
    {link::IDC_RECMODE, Column::RECMODE, "REC MODE"},  {link::IDC_SLEEVON, Column::SLEEVON, "SLEEVON"},
    {link::IDC_MIXER, Column::MIXER, "MIXER"},     {link::IDC_INIT, Column::INIT, "INIT"},
    {IDC_VDOWN, Column::Volume, "VOL -"},          {IDC_VUP, Column::Volume, "VOL +"},
};
constexpr int kButtonsPerRow = 5;

}  // namespace

StatusWindow::StatusWindow(ControllerPanel& panel, Host& host, QWidget* parent)
    : QWidget(parent), panel_(panel), host_(host), display_(host, panel.window()) {
    setWindowTitle(QString::fromStdString(host.strings().text(link::IDS_CONTROLLER_TITLE)));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new DisplayWidget(display_, this), 0, Qt::AlignHCenter);
    status_ = new QLabel(this);
    status_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setMinimumWidth(520);
    status_->setWordWrap(true);
    layout->addWidget(status_);
    levels_ = new QLabel(this);
    layout->addWidget(levels_);
    volume_ = new QLabel(this);
    layout->addWidget(volume_);

    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    int index = 0;
    for (const ButtonSpec& button : kButtons) {
        addButton(button.id, button.column, button.caption);
        grid->addWidget(buttons_[button.id].first, index / kButtonsPerRow, index % kButtonsPerRow);
        ++index;
    }
    auto* close = new QPushButton("CLOSE", this);
    grid->addWidget(close, index / kButtonsPerRow, index % kButtonsPerRow);
    connect(close, &QPushButton::clicked, this, [this] { panel_.click(link::IDC_CLOSE); });
    refresh();
}

void StatusWindow::addButton(int id, Column column, const char* caption) {
    auto* button = new QPushButton(caption, this);
    button->setEnabled(false);
    buttons_[id] = {button, column};
    if (id == link::IDC_FF || id == link::IDC_REV) {
        // Latch buttons: held in while the unit searches.
        button->setCheckable(true);
        connect(button, &QPushButton::toggled, this, [this, id](bool on) {
            host_.post(panel_.window(), on ? WM_BUTTON_LATCHED : WM_BUTTON_UNLATCHED,
                       static_cast<WParam>(id), 0);
        });
    } else {
        connect(button, &QPushButton::pressed, this, [this, id] { panel_.click(id); });
        if (id == link::IDC_UP || id == link::IDC_DOWN) {
            connect(button, &QPushButton::released, this, [this, id] {
                host_.post(panel_.window(), WM_BUTTON_RELEASED, static_cast<WParam>(id), 0);
            });
        }
    }
}

void StatusWindow::refresh() {
    link::StatusReport report = link::makeReport(panel_.status(), panel_.lastRow(),
                                                 panel_.buttons(), host_.strings(), failed_);
    report.model = panel_.link().model();
    QString text = QString::fromStdString(link::toText(report));
    if (failed_) text.prepend("last answer: failed\n");
    status_->setText(text);
}

void StatusWindow::statusChanged(const link::MdStatus& status, bool failed) {
    failed_ = failed;
    display_.setParent(panel_.window());  // the panel's window exists once it has initialised
    display_.updateFromStatus(status, failed);
    refresh();
}

void StatusWindow::controlsChanged(const link::ButtonState& state) {
    for (auto& [id, entry] : buttons_) entry.first->setEnabled(state.enabled(entry.second));
    refresh();
}

void StatusWindow::levelsChanged(int left, int right) {
    levels_->setText(QString("levels: L %1  R %2").arg(left).arg(right));
}

// Names arrive in display form, bytes in the system's code page.
void StatusWindow::discNameChanged(const std::string& displayText) { display_.setDiscName(displayText); }

void StatusWindow::trackNameChanged(const std::string& displayText, int) {
    display_.setTrackName(displayText);
}

void StatusWindow::sliderChanged(int position) {
    volume_->setText(QString("volume: %1 of %2").arg(kSliderMax - position).arg(kSliderMax));
}

void StatusWindow::panelEnabled(bool enabled) { setEnabled(enabled); }

void StatusWindow::panelEnded(int) { hide(); }

void StatusWindow::closeEvent(QCloseEvent* event) {
    panel_.click(link::IDC_CLOSE);
    event->accept();
}

}  // namespace tovik::ui
