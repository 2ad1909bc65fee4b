#pragma once
// Top-level windows of programs outside the suite, on an X11 display. The programs know such a
// window by the class its program had on the system they were written for ("Volume Control",
// the volume control); here that class stands for the X11 WM_CLASS names of the programs that
// take its place. Without an X11 display nothing is found.

#include <optional>
#include <string>

#include "platform/shell.h"

namespace tovik::qt {

// True when an X11 window whose WM_CLASS holds instance and className is a window of the
// outside program known by windowClass.
bool isOutsideWindowOf(const std::string& windowClass, const std::string& instance,
                       const std::string& className);
// Whether windowClass names an outside program's window at all.
bool isOutsideWindowClass(const std::string& windowClass);

// RemoteWindow ids of outside windows start with this.
constexpr const char* kOutsideWindowIdPrefix = "x11:";

std::optional<RemoteWindow> findOutsideWindow(const std::string& windowClass);
// Raises and activates the window (restoring it when minimised).
bool activateOutsideWindow(const RemoteWindow& window);

}  // namespace tovik::qt
