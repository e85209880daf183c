#include "synth/output_volume.h"

#include <atomic>

namespace {
std::atomic<float> outputGain{1.0f};
}  // namespace

void SetOutputVolume(float gain) { outputGain.store(gain, std::memory_order_relaxed); }

float OutputVolume() { return outputGain.load(std::memory_order_relaxed); }

void ApplyOutputVolume(float* out, unsigned long frameCount) {
    float gain = outputGain.load(std::memory_order_relaxed);
    if (gain == 1.0f) return;
    for (unsigned long i = 0; i < frameCount; i++) out[i] *= gain;
}

float VolumeGain(int percent, bool mute) {
    if (mute || percent <= 0) return 0.0f;
    if (percent >= 100) return 1.0f;
    float fraction = static_cast<float>(percent) / 100.0f;
    return fraction * fraction;
}
