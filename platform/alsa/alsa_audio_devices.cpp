#include "platform/alsa/alsa_audio_devices.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cctype>

namespace tovik::alsa {

namespace {

std::string lowerCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

bool contains(const std::string& text, const char* word) {
    return lowerCase(text).find(word) != std::string::npos;
}

// A card's simple mixer, loaded; closed when it goes.
class Mixer {
public:
    explicit Mixer(int card) {
        const std::string device = "hw:" + std::to_string(card);
        if (snd_mixer_open(&mixer_, 0) < 0) {
            mixer_ = nullptr;
            return;
        }
        if (snd_mixer_attach(mixer_, device.c_str()) < 0 ||
            snd_mixer_selem_register(mixer_, nullptr, nullptr) < 0 || snd_mixer_load(mixer_) < 0) {
            snd_mixer_close(mixer_);
            mixer_ = nullptr;
        }
    }
    ~Mixer() {
        if (mixer_) snd_mixer_close(mixer_);
    }
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;
    snd_mixer_t* get() const { return mixer_; }

private:
    snd_mixer_t* mixer_ = nullptr;
};

struct CardInfo {
    std::string id, name, driver;
};

CardInfo cardInfo(int card) {
    CardInfo info;
    snd_ctl_t* ctl = nullptr;
    const std::string device = "hw:" + std::to_string(card);
    if (snd_ctl_open(&ctl, device.c_str(), 0) < 0) return info;
    snd_ctl_card_info_t* raw = nullptr;
    snd_ctl_card_info_alloca(&raw);
    if (snd_ctl_card_info(ctl, raw) >= 0) {
        info.id = snd_ctl_card_info_get_id(raw);
        info.name = snd_ctl_card_info_get_name(raw);
        info.driver = snd_ctl_card_info_get_driver(raw);
    }
    snd_ctl_close(ctl);
    return info;
}

// Left-hand channels take the left word, right-hand ones the right, the middle (centre,
// woofer) the louder of the two.
long channelVolume(snd_mixer_selem_channel_id_t channel, long left, long right) {
    switch (channel) {
    case SND_MIXER_SCHN_FRONT_LEFT: case SND_MIXER_SCHN_REAR_LEFT: case SND_MIXER_SCHN_SIDE_LEFT: return left;
    case SND_MIXER_SCHN_FRONT_RIGHT: case SND_MIXER_SCHN_REAR_RIGHT: case SND_MIXER_SCHN_SIDE_RIGHT: return right;
    default: return std::max(left, right);
    }
}

}  // namespace

AudioOutputKind outputKindOf(const std::string& controlName) {
    for (const char* word : {"synth", "midi", "wavetable"})
        if (contains(controlName, word)) return AudioOutputKind::Midi;
    // "FM" as a word of its own, not inside another ("FM Synth", "FM", but not "Front Mic").
    const std::string lower = lowerCase(controlName);
    if (lower == "fm" || lower.starts_with("fm ") || lower.find(" fm") != std::string::npos)
        return AudioOutputKind::Midi;
    return AudioOutputKind::Wave;
}

std::uint16_t manufacturerIdOf(const std::string& cardId, const std::string& cardName,
                               const std::string& driver) {
    const bool ours = contains(cardId, "tovik") || contains(cardName, "tovik") || contains(driver, "tovik");
    return ours ? kTovikManufacturerId : 0;
}

long scaleVolume(std::uint16_t level, long min, long max) {
    if (max <= min) return min;
    return min + static_cast<long>((static_cast<long long>(max - min) * level + 0x7FFF) / 0xFFFF);
}

void AlsaAudioDevices::refresh() {
    wave_.clear();
    midi_.clear();
    int card = -1;
    while (snd_card_next(&card) >= 0 && card >= 0) {
        const CardInfo info = cardInfo(card);
        Mixer mixer(card);
        if (!mixer.get()) continue;
        for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer.get()); e; e = snd_mixer_elem_next(e)) {
            if (!snd_mixer_selem_is_active(e)) continue;
            const bool volume = snd_mixer_selem_has_playback_volume(e);
            if (!volume && !snd_mixer_selem_has_playback_switch(e)) continue;
            const std::string control = snd_mixer_selem_get_name(e);
            Output out{card, control, snd_mixer_selem_get_index(e),
                       {manufacturerIdOf(info.id, info.name, info.driver),
                        (info.name.empty() ? info.id : info.name) + ": " + control, volume}};
            list(outputKindOf(control)).push_back(std::move(out));
        }
    }
}

unsigned AlsaAudioDevices::outputCount(AudioOutputKind kind) {
    refresh();
    return static_cast<unsigned>(list(kind).size());
}

std::optional<AudioOutputCaps> AlsaAudioDevices::outputCaps(AudioOutputKind kind, unsigned index) {
    if (index >= list(kind).size()) return std::nullopt;
    return list(kind)[index].caps;
}

bool AlsaAudioDevices::setOutputVolume(AudioOutputKind kind, unsigned index, std::uint32_t volume) {
    if (index >= list(kind).size()) return false;
    const Output& out = list(kind)[index];
    Mixer mixer(out.card);
    if (!mixer.get()) return false;
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_name(id, out.control.c_str());
    snd_mixer_selem_id_set_index(id, out.controlIndex);
    snd_mixer_elem_t* e = snd_mixer_find_selem(mixer.get(), id);
    if (!e || !snd_mixer_selem_has_playback_volume(e)) return false;
    long min = 0, max = 0;
    if (snd_mixer_selem_get_playback_volume_range(e, &min, &max) < 0) return false;
    const long left = scaleVolume(static_cast<std::uint16_t>(volume & 0xFFFF), min, max);
    const long right = scaleVolume(static_cast<std::uint16_t>(volume >> 16), min, max);
    // A mono control takes the left word, as a mono wave device does.
    if (snd_mixer_selem_is_playback_mono(e)) return snd_mixer_selem_set_playback_volume_all(e, left) >= 0;
    bool ok = true;
    for (int c = 0; c <= SND_MIXER_SCHN_LAST; ++c) {
        const auto channel = static_cast<snd_mixer_selem_channel_id_t>(c);
        if (!snd_mixer_selem_has_playback_channel(e, channel)) continue;
        ok = snd_mixer_selem_set_playback_volume(e, channel, channelVolume(channel, left, right)) >= 0 && ok;
    }
    return ok;
}

}  // namespace tovik::alsa
