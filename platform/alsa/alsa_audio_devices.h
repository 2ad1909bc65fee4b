#pragma once
// The PC's audio outputs over ALSA's simple mixer. Every playback control of every sound card
// (Master, PCM, Headphone, ...) is one output: controls of a card's synthesizer (names with
// "Synth", "MIDI", "FM" or "Wavetable") are its MIDI outputs, all others its wave outputs. An
// output has a volume control when its control has a playback volume. Outputs of a card that
// identifies itself as a TOVIK card carry the card's manufacturer id (183), all others 0.
//
// The list is read afresh by each outputCount(); a system without sound cards has no outputs.

#include <string>
#include <vector>

#include "platform/audio_devices.h"

namespace tovik::alsa {

// Which kind of output a playback control of this name stands for.
AudioOutputKind outputKindOf(const std::string& controlName);
// The manufacturer id for a card with this ALSA id, name and driver.
std::uint16_t manufacturerIdOf(const std::string& cardId, const std::string& cardName,
                               const std::string& driver);
// One channel of an output volume (0 .. 0xFFFF) on a control's range.
long scaleVolume(std::uint16_t level, long min, long max);

class AlsaAudioDevices : public AudioDevices {
public:
    unsigned outputCount(AudioOutputKind kind) override;
    std::optional<AudioOutputCaps> outputCaps(AudioOutputKind kind, unsigned index) override;
    bool setOutputVolume(AudioOutputKind kind, unsigned index, std::uint32_t volume) override;

private:
    struct Output {
        int card;
        std::string control;
        unsigned controlIndex;
        AudioOutputCaps caps;
    };
    void refresh();
    std::vector<Output>& list(AudioOutputKind kind) { return kind == AudioOutputKind::Wave ? wave_ : midi_; }

    std::vector<Output> wave_;
    std::vector<Output> midi_;
};

}  // namespace tovik::alsa
