#include "synth/note_table.h"

float NoteTable[NOTE_COUNT];

void FillNoteTable() {
    for (int n = 0; n < NOTE_COUNT; n++) NoteTable[n] = NotePhaseStep(n);
}
