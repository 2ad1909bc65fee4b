#include "platform/audio_devices.h"

#include <algorithm>
#include <cctype>

namespace tovik {

namespace {
std::string lowerCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}
}  // namespace

std::unique_ptr<InstallableDriver> AudioDevices::openDriver(const std::string& name) const {
    auto it = drivers_.find(lowerCase(name));
    if (it == drivers_.end() || !it->second) return nullptr;
    return it->second();
}

void AudioDevices::installDriver(const std::string& name, DriverOpener open) {
    drivers_[lowerCase(name)] = std::move(open);
}

}  // namespace tovik
