#include "synth/note_table.h"

float NoteTable[NOTE_COUNT];

void FillNoteTable() {
    // The semitone ratio is a single-precision constant widened to double.
    const double ratio = 1.0594631f;
    double frequency = 27.5;
    for (int n = 0; n < NOTE_COUNT; n++) {
        NoteTable[n] = static_cast<float>(frequency * SAMPLE_PERIOD);
        frequency *= ratio;
    }
}
