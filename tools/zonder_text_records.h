#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "synth/zonder_format.h"

// zonder-pack's own picture of the two file formats. It keeps the file's bytes
// (not the player's floats), so a file read and written again comes out
// byte-identical, and it does not depend on the player's tables; the formats'
// limits and the note formula are the player's own (synth/zonder_format.h).

struct PackPoint {
    uint8_t x = 0;
    uint8_t y = 0;
};

struct PackCurve {
    int16_t length = 0;  // control ticks per pass (44 samples each)
    uint8_t loop = 0;
    uint8_t loopPoint = 0;
    std::vector<PackPoint> points;
};

// Which curves a file carries depends on the flags.
enum PackCurveSlot {
    CURVE_SHAPE_A,
    CURVE_SHAPE_B,
    CURVE_AMP,
    CURVE_RELEASE,
    CURVE_PITCH,
    CURVE_MORPH,
    CURVE_SLOT_COUNT
};

struct PackInstrument {
    std::string name;
    uint8_t oneShot = 0;
    uint8_t noise = 0;
    uint8_t arpSpeed = 0;
    std::vector<uint8_t> arpOffsets;  // none: no speed byte in the file
    std::array<PackCurve, CURVE_SLOT_COUNT> curves;
};

struct PackPattern {
    int32_t length = 1;  // lasts 8 × length rows
    std::string name;
    int32_t note[PATTERN_CHANNELS][PATTERN_ROWS];
    int32_t instrument[PATTERN_CHANNELS][PATTERN_ROWS];
    PackPattern();
};

struct PackSong {
    std::string title;
    std::vector<PackInstrument> instruments;
    std::vector<std::string> instrumentIds;  // text-side names; same count as instruments
    std::vector<PackPattern> patterns;
    std::vector<uint16_t> order;  // pattern index or ORDER_FILE_EMPTY
};

// Curve names as written in the text form, in file order.
const char* CurveName(int slot);
// Whether the file of an instrument with these flags carries the curve.
bool CurvePresent(const PackInstrument& instrument, int slot);
// Whether a voice ever plays the curve as an envelope (so it needs length >= 1).
bool CurvePlayed(const PackInstrument& instrument, int slot);
