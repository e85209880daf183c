// Scaffolding so the rules link before the voice engine exists; the synthesizer
// work replaces this file.
#include "synth/song_files.h"
#include "synth/voices.h"

Instrument* soundEffects[SOUND_EFFECT_SLOTS];
Instrument* songInstruments[SONG_INSTRUMENT_SLOTS];
Pattern* patterns[PATTERN_SLOTS];
int32_t orderList[ORDER_LIST_SIZE];
int32_t songLength;

void TriggerNote(const Instrument*, int, int) {}
void ReleaseNote(int) {}
bool LoadSoundEffect(int, const char*) { return false; }
