#pragma once
// Starting other programs, and finding the top-level windows of other processes.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tovik {

class Shell {
public:
    virtual ~Shell() = default;
    // Starts a program by the name the system knows it by ("Sleevon.exe", "ROTELA.EXE",
    // "Sndvol32.exe"): case and an ".exe" suffix do not matter. Arguments are passed as they are.
    // False when no such program can be found or started.
    virtual bool startProgram(const std::string& systemName,
                              const std::vector<std::string>& args) = 0;
};

// A top-level window of some process, as another process sees it.
struct RemoteWindow {
    std::string windowClass;
    std::string title;
    std::int64_t processId = 0;
    std::string id;  // adapter's own key
    bool minimised = false;
};

// The cross-process list of top-level windows. A program registers its main window's class and
// title; others find it and may ask it to come to the front. An entry disappears when its
// process ends, whatever the way.
class WindowRegistry {
public:
    using RegistrationId = std::uint64_t;
    virtual ~WindowRegistry() = default;

    // onBringToFront runs on the owner's user-interface thread when another process asks.
    virtual RegistrationId registerWindow(const std::string& windowClass, const std::string& title,
                                          std::function<void()> onBringToFront) = 0;
    virtual void setTitle(RegistrationId id, const std::string& title) = 0;
    virtual void unregisterWindow(RegistrationId id) = 0;

    // Either criterion may be left out; both given must both match exactly.
    virtual std::optional<RemoteWindow> findWindow(const std::optional<std::string>& windowClass,
                                                   const std::optional<std::string>& title) = 0;
    virtual bool bringToFront(const RemoteWindow& window) = 0;
    // Shows a minimised window at its normal size again (it stays where it is in the z-order).
    virtual bool restore(const RemoteWindow& window) = 0;
};

}  // namespace tovik
