#pragma once
// The PC's audio outputs as the controller's "volume default" sees them: wave and MIDI outputs,
// each with a manufacturer id and whether it has a volume control, and installable drivers
// opened by name (the card's own mixer driver "tovikmd.drv").

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace tovik {

enum class AudioOutputKind { Wave, Midi };

struct AudioOutputCaps {
    std::uint16_t manufacturerId = 0;
    std::string name;
    bool volumeSupported = false;
};

// The manufacturer id of the card's own outputs.
constexpr std::uint16_t kTovikManufacturerId = 183;

// Volume of an output: low word left, high word right, 0xFFFF each for full.
constexpr std::uint32_t kFullVolume = 0xFFFFFFFFu;

// An open installable driver; destroying it closes it.
class InstallableDriver {
public:
    virtual ~InstallableDriver() = default;
    virtual std::intptr_t sendMessage(std::uint32_t message, std::intptr_t param1,
                                      std::intptr_t param2) = 0;
};

class AudioDevices {
public:
    using DriverOpener = std::function<std::unique_ptr<InstallableDriver>()>;

    virtual ~AudioDevices() = default;
    virtual unsigned outputCount(AudioOutputKind kind) = 0;
    // Empty when the index is out of range or the device went away.
    virtual std::optional<AudioOutputCaps> outputCaps(AudioOutputKind kind, unsigned index) = 0;
    virtual bool setOutputVolume(AudioOutputKind kind, unsigned index, std::uint32_t volume) = 0;

    // Null when no driver of that name (case does not matter) is installed or it fails to open.
    std::unique_ptr<InstallableDriver> openDriver(const std::string& name) const;
    // Installs a driver under its file name ("tovikmd.drv").
    void installDriver(const std::string& name, DriverOpener open);

private:
    std::map<std::string, DriverOpener> drivers_;
};

// A PC without sound devices and without installable drivers.
class NoAudioDevices : public AudioDevices {
public:
    unsigned outputCount(AudioOutputKind) override { return 0; }
    std::optional<AudioOutputCaps> outputCaps(AudioOutputKind, unsigned) override { return {}; }
    bool setOutputVolume(AudioOutputKind, unsigned, std::uint32_t) override { return false; }
};

}  // namespace tovik
