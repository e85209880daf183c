#pragma once
#include <cstdint>

// The world's random generator: state × 214013 + 2531011 mod 2^32, result bits 16..30.
// Ours rather than the C library's rand(), which differs between platforms; the
// order of draws is part of the rules, so every caller draws through GameRand().
constexpr int GAME_RAND_MAX = 32767;

struct RandomGenerator {
    uint32_t state = 0;
    int Next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 32767u);
    }
};

extern RandomGenerator gameRandom;

inline int GameRand() { return gameRandom.Next(); }
inline void SeedGameRand(uint32_t seed) { gameRandom.state = seed; }

// Scaled draws, trunc(rand() × N / 32767): the rules multiply by the reciprocal
// factor computed once in double precision, so the factors are kept as those doubles.
constexpr double RAND_SCALE_7 = 7.0 / 32767;      // 0..7
constexpr double RAND_SCALE_51 = 51.0 / 32767;    // 0..51
constexpr double RAND_SCALE_101 = 101.0 / 32767;  // 0..101
constexpr double RAND_SCALE_629 = 629.0 / 32767;  // 0..629
constexpr double RAND_SCALE_1 = 1.0 / 32767;

inline int GameRandScaled(double factor) { return static_cast<int>(GameRand() * factor); }
