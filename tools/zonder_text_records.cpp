#include "tools/zonder_text_records.h"

PackPattern::PackPattern() {
    for (int k = 0; k < PATTERN_CHANNELS; ++k) {
        for (int r = 0; r < PATTERN_ROWS; ++r) {
            note[k][r] = NOTE_EMPTY;
            instrument[k][r] = 0;
        }
    }
}

const char* CurveName(int slot) {
    static const char* const names[CURVE_SLOT_COUNT] = {"shapeA",  "shapeB", "amp",
                                                        "release", "pitch",  "morph"};
    return names[slot];
}

bool CurvePresent(const PackInstrument& instrument, int slot) {
    switch (slot) {
        case CURVE_SHAPE_A:
        case CURVE_SHAPE_B:
        case CURVE_MORPH:
            return instrument.noise == 0;
        case CURVE_RELEASE:
            return instrument.oneShot == 0;
        default:
            return true;
    }
}

bool CurvePlayed(const PackInstrument& instrument, int slot) {
    // Waveform shapes are walked by the oscillator; their length is never used.
    return CurvePresent(instrument, slot) && slot != CURVE_SHAPE_A && slot != CURVE_SHAPE_B;
}
