#pragma once
// The real platform: Qt 6 on the user-interface thread. Requires a QApplication.

#include <QObject>

#include <map>
#include <memory>

#include "platform/host.h"
#include "platform/qt/qt_profile.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_window_registry.h"

class QTimer;
class QEventLoop;
class QWidget;

namespace tovik::qt {

class QtHost : public Host {
public:
    // programName titles message boxes and names the profile ("Tovik"/programName).
    QtHost(const std::string& programName, const StringResource& strings);
    ~QtHost() override;

    Handle createWindow(MessageTarget& target) override;
    void destroyWindow(Handle window) override;
    bool isWindow(Handle window) const override;
    bool post(Handle window, Msg msg, WParam wParam, LParam lParam) override;
    LResult send(Handle window, Msg msg, WParam wParam, LParam lParam) override;
    bool setTimer(Handle window, unsigned id, unsigned periodMs) override;
    void killTimer(Handle window, unsigned id) override;
    std::uint64_t nowMs() const override;
    int runModal(Handle dialog) override;
    void endModal(Handle dialog, int code) override;
    int messageBox(const std::string& text, Buttons buttons, Icon icon) override;
    int messageBoxWithDefault(const std::string& text, Buttons buttons, Icon icon,
                              DefaultButton defaultButton) override;
    bool messageBoxOpen() const override { return openBoxes_ > 0; }
    Profile& profile() override { return profile_; }
    Shell& shell() override { return shell_; }
    WindowRegistry& windowRegistry() override { return registry_; }
    const StringTable& strings() const override { return strings_; }
    const CodePage& codePage() const override { return codePage_; }

    // Message boxes are centred on this widget when set.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

private:
    std::string programName_;
    QObject context_;  // receiver of queued deliveries; lives on the UI thread
    std::map<Handle, MessageTarget*> windows_;
    Handle nextHandle_ = 0x1000;
    std::map<std::pair<Handle, unsigned>, QTimer*> timers_;
    std::map<Handle, QEventLoop*> modalLoops_;
    std::map<Handle, int> endedModals_;
    int openBoxes_ = 0;
    QWidget* dialogParent_ = nullptr;
    QtProfile profile_;
    QtShell shell_;
    QtWindowRegistry registry_;
    StringTable strings_;
    CodePage codePage_;
};

}  // namespace tovik::qt
