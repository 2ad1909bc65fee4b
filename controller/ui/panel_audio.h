#pragma once
// The panel's audio controls: the MD volume slider with VUP and VDOWN, MIXER (the desktop's
// volume control) and INIT ("volume default": the PC's outputs and the card's mixer to full).
//
// The slider runs upside down: position p (0 at the top .. 30 at the bottom) stands for the
// unit's volume 30 - p. Moving it sends that volume at once; a status from the unit moves it
// without sending anything.

#include <cstdint>

#include "controller/link/md_comm_wnd.h"
#include "platform/audio_devices.h"
#include "platform/host.h"

namespace tovik::ui {

constexpr int kSliderMin = 0;
constexpr int kSliderMax = 30;
constexpr unsigned kMixerGuardMs = 2000;  // a second MIXER press this soon starts nothing
constexpr const char* kMixerWindowClass = "Volume Control";
constexpr const char* kMixerProgram = "Sndvol32.exe";
constexpr const char* kCardMixerDriver = "tovikmd.drv";
constexpr std::uint32_t kCardMixerMessage = 0x5000;
constexpr std::intptr_t kCardMixerFullLevel = 0x00FF00FF;

class PanelAudio {
public:
    // mixerTimer: the id of the panel's timer that ends the mixer guard.
    PanelAudio(Host& host, link::CMdCommWnd& link, Handle panelWindow, unsigned mixerTimer);

    // Null: a PC without audio outputs or drivers.
    void setAudioDevices(AudioDevices* devices) { devices_ = devices ? devices : &noDevices_; }

    int sliderPosition() const { return slider_; }
    // Every scroll notification of the slider, whatever its kind: the thumb is at `position`.
    void sliderScrolled(int position);
    // VUP and VDOWN: one position up (louder) or down, kept in range, and sent even when the
    // thumb could not move.
    void stepUp();
    void stepDown();
    // A status from the unit: true when the thumb moved to show its volume. Sends nothing.
    bool followUnit(std::uint8_t volume);

    // MIXER: restores and raises a running volume control, else starts one, at most once per
    // kMixerGuardMs.
    void showMixer();
    // The panel's mixer timer fired.
    void mixerGuardEnded();
    bool mixerStarting() const { return mixerStarting_; }

    // INIT: wave and MIDI outputs to full volume (the card's own first, then every output with a
    // volume control), then the card's mixer driver. Reports nothing; the slider stays.
    void volumeDefault();

private:
    void moveAndSend(int position);
    void outputsToFull(AudioOutputKind kind);

    Host& host_;
    link::CMdCommWnd& link_;
    Handle window_;
    unsigned mixerTimer_;
    NoAudioDevices noDevices_;
    AudioDevices* devices_ = &noDevices_;
    int slider_ = kSliderMax;  // position 30: until the unit tells, the volume shown is 0
    bool mixerStarting_ = false;
};

}  // namespace tovik::ui
