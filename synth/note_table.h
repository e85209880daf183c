#pragma once
#include "synth/instrument.h"

// Oscillator phase step per sample for notes 0..119 (note 48 = 440 Hz).
extern float NoteTable[NOTE_COUNT];

// Fills the table by the format's note formula (NotePhaseStep).
void FillNoteTable();

// NoteTable entry for a note that may lie outside the table (only a bad
// instrument or caller gets there): clamped to 0..119.
inline float NoteStep(int note) {
    if (note < 0) note = 0;
    if (note >= NOTE_COUNT) note = NOTE_COUNT - 1;
    return NoteTable[note];
}
