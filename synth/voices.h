#pragma once
#include "synth/instrument.h"

constexpr int VOICE_COUNT = 6;

// Starts note 0..119 of the instrument on voice 0..5. Returns at once; never
// waits for the audio thread. A null instrument is silent.
void TriggerNote(const Instrument* instrument, int note, int voice);
// Starts the release of the note on that voice.
void ReleaseNote(int voice);
