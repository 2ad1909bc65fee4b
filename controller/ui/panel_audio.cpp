#include "controller/ui/panel_audio.h"

#include <algorithm>

namespace tovik::ui {

PanelAudio::PanelAudio(Host& host, link::CMdCommWnd& link, Handle panelWindow, unsigned mixerTimer)
    : host_(host), link_(link), window_(panelWindow), mixerTimer_(mixerTimer) {}

// --- the MD volume ---

void PanelAudio::moveAndSend(int position) {
    slider_ = std::clamp(position, kSliderMin, kSliderMax);
    // Fire and forget: the next status shows the volume the unit took.
    link_.SetVolume(static_cast<std::uint8_t>(kSliderMax - slider_));
}

void PanelAudio::sliderScrolled(int position) { moveAndSend(position); }

void PanelAudio::stepUp() { moveAndSend(slider_ - 1); }

void PanelAudio::stepDown() { moveAndSend(slider_ + 1); }

bool PanelAudio::followUnit(std::uint8_t volume) {
    // A unit reporting more than the top volume is shown at the top.
    const int level = std::min<int>(volume, kSliderMax);
    if (kSliderMax - slider_ == level) return false;
    slider_ = kSliderMax - level;
    return true;
}

// --- the desktop's volume control ---

void PanelAudio::showMixer() {
    WindowRegistry& windows = host_.windowRegistry();
    if (auto mixer = windows.findWindow(std::string(kMixerWindowClass), std::nullopt)) {
        if (mixer->minimised) windows.restore(*mixer);
        windows.bringToFront(*mixer);
        return;
    }
    // Its window may take a while to appear; until then a second press must not start another.
    if (mixerStarting_) return;
    mixerStarting_ = true;
    host_.shell().startProgram(kMixerProgram, {});  // a failure is not reported
    host_.setTimer(window_, mixerTimer_, kMixerGuardMs);
}

void PanelAudio::mixerGuardEnded() {
    host_.killTimer(window_, mixerTimer_);
    mixerStarting_ = false;
}

// --- volume default ---

void PanelAudio::outputsToFull(AudioOutputKind kind) {
    const unsigned count = devices_->outputCount(kind);
    for (unsigned i = 0; i < count; ++i) {
        auto caps = devices_->outputCaps(kind, i);
        if (caps && caps->manufacturerId == kTovikManufacturerId)
            devices_->setOutputVolume(kind, i, kFullVolume);
    }
    for (unsigned i = 0; i < count; ++i) {
        auto caps = devices_->outputCaps(kind, i);
        if (caps && caps->volumeSupported) devices_->setOutputVolume(kind, i, kFullVolume);
    }
}

void PanelAudio::volumeDefault() {
    outputsToFull(AudioOutputKind::Wave);
    outputsToFull(AudioOutputKind::Midi);
    if (auto driver = devices_->openDriver(kCardMixerDriver))
        driver->sendMessage(kCardMixerMessage, kCardMixerFullLevel, 0);  // closed as it goes
}

}  // namespace tovik::ui
