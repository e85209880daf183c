#pragma once
#include <string>

// The sound-effect slots (SOUND_SHOT, ...), their files and SONG_FILE: the
// manifest's (assets/manifest.txt).
#include "assets/manifest.h"

// Loads the manifest's sound effects from dataDir (ending with '/') into their slots; a
// missing or refused file leaves its slot the empty instrument.
void LoadSoundEffects(const std::string& dataDir);

// The rules' one door to the synthesizer: starts `note` of the instrument in
// soundEffects[slot] on `voice`. An observer, when set, sees every trigger first
// (the simulator records them; tests count them).
void PlayEffect(int slot, int note, int voice);

// Sets the observer; nullptr removes it. Main thread only.
void SetSoundObserver(void (*observer)(int slot, int note, int voice));
