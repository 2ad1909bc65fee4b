// ALSA's playback controls as the controller's wave and MIDI outputs. The machines the tests run
// on may have no sound card at all; what needs none is checked here.
#include "platform/alsa/alsa_audio_devices.h"

#include <gtest/gtest.h>

namespace tovik::alsa {
namespace {

TEST(AlsaAudio, ControlsMapToOutputsByNameAndCard) {
    for (const char* wave : {"Master", "PCM", "Headphone", "Speaker", "Front", "Front Mic", "Surround"})
        EXPECT_EQ(outputKindOf(wave), AudioOutputKind::Wave) << wave;
    for (const char* midi : {"Synth", "MIDI", "FM", "FM Synth", "Wavetable", "Line FM"})
        EXPECT_EQ(outputKindOf(midi), AudioOutputKind::Midi) << midi;

    EXPECT_EQ(manufacturerIdOf("Tovik", "TOVIK DIGITAL SOUND CARD", "tovikmd"), 183);
    EXPECT_EQ(manufacturerIdOf("PCH", "HDA Intel PCH", "HDA-Intel"), 0);

    // Full and silent reach the ends of any range; the middle rounds to the nearest step.
    EXPECT_EQ(scaleVolume(0xFFFF, 0, 87), 87);
    EXPECT_EQ(scaleVolume(0, 0, 87), 0);
    EXPECT_EQ(scaleVolume(0xFFFF, -10239, 400), 400);
    EXPECT_EQ(scaleVolume(0, -10239, 400), -10239);
    EXPECT_EQ(scaleVolume(0x8000, 0, 100), 50);
    EXPECT_EQ(scaleVolume(0xFFFF, 5, 5), 5);
}

TEST(AlsaAudio, WhateverTheMachineHasIsListedConsistently) {
    AlsaAudioDevices audio;
    for (AudioOutputKind kind : {AudioOutputKind::Wave, AudioOutputKind::Midi}) {
        const unsigned n = audio.outputCount(kind);
        for (unsigned i = 0; i < n; ++i) EXPECT_TRUE(audio.outputCaps(kind, i)) << i;
        EXPECT_FALSE(audio.outputCaps(kind, n));
        EXPECT_FALSE(audio.setOutputVolume(kind, n, kFullVolume));
    }
    EXPECT_EQ(audio.openDriver("tovikmd.drv"), nullptr) << "nothing installed";
}

}  // namespace
}  // namespace tovik::alsa
