#include "synth/output_volume.h"

#include <atomic>

#include "synth/sequencer.h"
#include "synth/voices.h"

namespace {
std::atomic<float> effectsGain{1.0f};
std::atomic<float> musicGain{1.0f};
static_assert(std::atomic<float>::is_always_lock_free, "the audio thread must never wait for a gain");
}  // namespace

void SetOutputVolume(float effects, float music) {
    effectsGain.store(effects, std::memory_order_relaxed);
    musicGain.store(music, std::memory_order_relaxed);
}

OutputGains OutputVolume() {
    OutputGains gains;
    gains.effects = effectsGain.load(std::memory_order_relaxed);
    gains.music = musicGain.load(std::memory_order_relaxed);
    return gains;
}

float SumVoicesAtVolume(const OutputGains& gains) {
    float effects = 0.0f;
    float music = 0.0f;
    for (int v = 0; v < VOICE_COUNT; v++) {
        if (!liveVoices[v].active) continue;
        float sample = VoiceSample(liveVoices[v]);
        if (v < SONG_VOICE_FIRST) {
            effects += sample;
        } else {
            music += sample;
        }
    }
    return effects * gains.effects + music * gains.music;
}

float VolumeGain(int percent, bool mute) {
    if (mute || percent <= 0) return 0.0f;
    if (percent >= 100) return 1.0f;
    float fraction = static_cast<float>(percent) / 100.0f;
    return fraction * fraction;
}
