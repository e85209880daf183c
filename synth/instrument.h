#pragma once
#include <cstdint>

// In-memory records of the instrument and song files.

constexpr int CURVE_MAX_POINTS = 100;
constexpr int ARPEGGIO_MAX = 6;
constexpr int INSTRUMENT_NAME_SIZE = 256;

// A breakpoint curve: waveform shapes and envelopes alike. Positions and values
// are byte/255; slope[i] = 1 / (x[i+1] - x[i] + 1/128), the 1/128 keeping
// coincident points from dividing by zero.
struct Curve {
    int32_t length;  // control ticks per pass
    uint8_t loop;
    float loopPoint;
    int32_t count;
    float x[CURVE_MAX_POINTS];
    float y[CURVE_MAX_POINTS];
    float slope[CURVE_MAX_POINTS];
};

struct Instrument {
    char name[INSTRUMENT_NAME_SIZE];
    Curve shapeA;
    Curve shapeB;
    Curve amp;
    Curve release;
    Curve pitch;
    Curve morph;
    int32_t arpCount;
    int32_t arpSpeed;
    int32_t arpOffsets[ARPEGGIO_MAX];
    uint8_t oneShot;
    uint8_t noise;
};

constexpr int PATTERN_CHANNELS = 3;
constexpr int PATTERN_ROWS = 256;
constexpr int PATTERN_MAX_LENGTH = 32;
constexpr int PATTERN_BLOCK_SIZE = 13328;

// A pattern exactly as its block in the song file. Notes and instruments are
// channel-major: channel k, row r is element 256 × k + r.
struct Pattern {
    int32_t length;  // lasts 8 × length rows
    uint8_t reserved1[8];
    char name[260];
    int32_t note[PATTERN_CHANNELS * PATTERN_ROWS];
    int32_t instrument[PATTERN_CHANNELS * PATTERN_ROWS];
    uint8_t reserved2[6912];
};
static_assert(sizeof(Pattern) == PATTERN_BLOCK_SIZE, "a pattern is its file block");

constexpr int NOTE_OFF = -2;
constexpr int NOTE_COUNT = 120;
