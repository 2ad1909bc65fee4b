// Rotela, the MD controller.
#include <QApplication>

#include <memory>

#include "cardsim/daemon_driver.h"
#include "controller/ui/controller_app.h"
#include "controller/ui/controller_panel.h"
#include "controller/ui/panel_disc_hooks.h"
#include "controller/ui/panel_editing.h"
#include "controller/ui/qt_editing_views.h"
#include "controller/ui/qt_progress_window.h"
#include "controller/ui/qt_panel_window.h"
#include "platform/alsa/alsa_audio_devices.h"
#include "platform/command_line.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/shutdown_requests.h"
#include "resources/strings.h"

namespace {
constexpr const char* kUsage =
    "usage: rotela\n"
    "       rotela --help | --version\n"
    "Rotela, the MD controller panel of the TOVIK card. The card is served by vtovikmd.\n";
}  // namespace

int main(int argc, char** argv) {
    if (auto code = tovik::answerHelpOrVersion(argc, argv, "rotela", kUsage)) return *code;
    QApplication app(argc, argv);
    // The program ends when the panel does, not when its last window hides.
    app.setQuitOnLastWindowClosed(false);
    // The desktop matches the panel to the installed entry; the panel sets its own icon.
    QGuiApplication::setDesktopFileName("rotela");
    tovik::qt::QtHost host("Rotela", tovik::resources::rotelaStrings());

    // One instance: a second start brings the running panel forward and ends.
    tovik::ui::ControllerApp controller(host);
    if (controller.bringRunningPanelToFront()) return 0;

    // The card's driver is the vtovikmd daemon; without it, opening fails as a missing driver.
    auto driver = tovik::card::makeDaemonCardDriver(host);
    tovik::ui::ControllerPanel panel(host, *driver);
    // The window outlives the panel's shutdown, which saves its position.
    tovik::ui::PanelWindow window(host, panel);
    panel.setView(&window);
    panel.setPlacement(&window);
    // INIT: the PC's outputs over ALSA, and the card's own mixer through the daemon.
    tovik::alsa::AlsaAudioDevices audio;
    audio.installDriver("tovikmd.drv", [] { return tovik::card::openDaemonMixerDriver(); });
    panel.setAudioDevices(&audio);
    // The disc's names: read on demand and by the full read cycle, with its progress dialog.
    tovik::ui::QtProgressWindow progressWindow(&window);
    tovik::ui::PanelDiscHooks discHooks(host, panel, progressWindow);
    panel.setHooks(&discHooks);
    discHooks.setDisplay(&window);
    // Editing the disc: name changes, the TOCEDIT popup and the track list editor. Its dialogs
    // have text fields, which set up fonts: they are made once the panel shows.
    std::unique_ptr<tovik::ui::QtEditingViews> editingViews;
    std::unique_ptr<tovik::ui::PanelEditing> editing;
    window.afterFirstFrame = [&] {
        editingViews = std::make_unique<tovik::ui::QtEditingViews>(host, &window);
        editing = std::make_unique<tovik::ui::PanelEditing>(host, panel, discHooks, editingViews->views());
        editingViews->connect(*editing);
    };
    window.onTrackStepHeld = [&discHooks](bool held) { discHooks.setStepButtonHeld(held); };
    host.setDialogParent(&window);
    // A signal or the session's end closes the panel as CLOSE does: shutdown and the position.
    // A message box or dialog still open would hold the program up: it closes as Escape would.
    tovik::qt::ShutdownRequests shutdownRequests([&panel, &editing] {
        panel.end(0);
        if (editing) editing->endDialogs();
        for (QWidget* open : QApplication::topLevelWidgets())
            if (open->isModal() && open->isVisible()) open->close();
    });

    if (panel.initialise()) {
        controller.registerPanel([&window] {
            window.showNormal();
            window.raise();
            window.activateWindow();
        });
        window.show();
        host.runModal(panel.window());  // until the panel ends
    }
    panel.shutdown();
    return panel.result();
}
