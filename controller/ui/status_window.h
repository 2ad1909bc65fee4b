#pragma once
// Rotela's plain window until the skinned panel exists: the display fed by the live status, the
// decoded status, the state row in force and the enabled controls, with a button for each deck
// command. It only shows what ControllerPanel says and turns clicks into calls on it.

#include <QWidget>

#include <map>

#include "controller/ui/controller_panel.h"
#include "controller/ui/display_panel.h"
#include "controller/ui/panel_disc_hooks.h"

class QLabel;
class QPushButton;

namespace tovik::ui {

class StatusWindow : public QWidget, public PanelView, public NameDisplay {
public:
    StatusWindow(ControllerPanel& panel, Host& host, QWidget* parent = nullptr);

    void statusChanged(const link::MdStatus& status, bool failed) override;
    void controlsChanged(const link::ButtonState& buttons) override;
    void levelsChanged(int left, int right) override;
    void sliderChanged(int position) override;
    void panelEnabled(bool enabled) override;
    void panelEnded(int result) override;
    void discNameChanged(const std::string& displayText) override;
    void trackNameChanged(const std::string& displayText, int track) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addButton(int controlId, link::Column column, const char* caption);
    void refresh();

    ControllerPanel& panel_;
    Host& host_;
    QLabel* status_ = nullptr;
    QLabel* levels_ = nullptr;
    QLabel* volume_ = nullptr;
    DisplayPanel display_;
    std::map<int, std::pair<QPushButton*, link::Column>> buttons_;
    bool failed_ = false;
};

}  // namespace tovik::ui
