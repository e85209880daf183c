#pragma once
#include <cstddef>
#include <cstdint>

#include "synth/zonder_format.h"

// In-memory records of the instrument and song files.

constexpr int INSTRUMENT_NAME_SIZE = INSTRUMENT_NAME_MAX + 1;

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

// A pattern exactly as its block in the song file. Notes and instruments are
// channel-major: channel k, row r is element 256 × k + r.
struct Pattern {
    int32_t length;  // lasts 8 × length rows
    uint8_t reserved1[8];
    char name[PATTERN_NAME_SIZE];
    int32_t note[PATTERN_CHANNELS * PATTERN_ROWS];
    int32_t instrument[PATTERN_CHANNELS * PATTERN_ROWS];
    uint8_t reserved2[6912];
};
static_assert(sizeof(Pattern) == PATTERN_BLOCK_SIZE, "a pattern is its file block");
static_assert(offsetof(Pattern, name) == PATTERN_NAME_OFFSET &&
                  offsetof(Pattern, note) == PATTERN_NOTES_OFFSET &&
                  offsetof(Pattern, instrument) == PATTERN_INSTRUMENTS_OFFSET &&
                  offsetof(Pattern, reserved2) == PATTERN_TAIL_OFFSET,
              "each field sits where the file block has it");
