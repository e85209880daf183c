#pragma once
#include "synth/instrument.h"

constexpr int SAMPLE_RATE = 44100;
// 1/44100 as the single-precision constant the synthesizer uses everywhere.
constexpr float SAMPLE_PERIOD = 1.0f / 44100.0f;

// Oscillator phase step per sample for notes 0..119 (note 48 = 440 Hz).
extern float NoteTable[NOTE_COUNT];

// 27.5 Hz × 1.0594631^n, the power accumulated by repeated multiplication in
// double precision, each entry stored as single precision.
void FillNoteTable();

// NoteTable entry for a note that may lie outside the table (only a bad
// instrument or caller gets there): clamped to 0..119.
inline float NoteStep(int note) {
    if (note < 0) note = 0;
    if (note >= NOTE_COUNT) note = NOTE_COUNT - 1;
    return NoteTable[note];
}
