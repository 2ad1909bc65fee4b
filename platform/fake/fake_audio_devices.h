#pragma once
// Audio outputs a test lays out: each output's capabilities, and every volume set on it in
// order. Drivers are installed with installDriver like on the real adapter.

#include <vector>

#include "platform/audio_devices.h"

namespace tovik::fake {

class FakeAudioDevices : public AudioDevices {
public:
    struct Output {
        AudioOutputCaps caps;
        std::optional<std::uint32_t> volume;  // the last volume set
    };
    struct VolumeSet {
        AudioOutputKind kind;
        unsigned index;
        std::uint32_t volume;
        bool operator==(const VolumeSet&) const = default;
    };

    Output& add(AudioOutputKind kind, std::uint16_t manufacturerId, bool volumeSupported,
                std::string name = "output") {
        auto& list = outputs(kind);
        list.push_back({{manufacturerId, std::move(name), volumeSupported}, std::nullopt});
        return list.back();
    }
    std::vector<Output>& outputs(AudioOutputKind kind) { return kind == AudioOutputKind::Wave ? wave : midi; }

    unsigned outputCount(AudioOutputKind kind) override {
        return static_cast<unsigned>(outputs(kind).size());
    }
    std::optional<AudioOutputCaps> outputCaps(AudioOutputKind kind, unsigned index) override {
        ++capsReads;
        if (index >= outputs(kind).size()) return std::nullopt;
        return outputs(kind)[index].caps;
    }
    bool setOutputVolume(AudioOutputKind kind, unsigned index, std::uint32_t volume) override {
        volumeSets.push_back({kind, index, volume});
        if (index >= outputs(kind).size()) return false;
        outputs(kind)[index].volume = volume;
        return true;
    }

    std::vector<Output> wave;
    std::vector<Output> midi;
    std::vector<VolumeSet> volumeSets;
    int capsReads = 0;
};

}  // namespace tovik::fake
