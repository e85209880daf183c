#pragma once
#include <cstdint>

// The noise waveforms' own generator, on the audio thread only: the same
// formula as the game's (state × 214013 + 2531011 mod 2^32, bits 16..30), but
// a separate state so sound never shifts the game's random sequence.
constexpr int SYNTH_NOISE_MAX = 32767;

struct SynthNoise {
    uint32_t state = 1;
    int Next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 32767u);
    }
};

extern SynthNoise synthNoise;

// Only while no audio callback runs (start-up, offline rendering).
inline void SeedSynthNoise(uint32_t seed) { synthNoise.state = seed; }
