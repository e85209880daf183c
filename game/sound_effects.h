#pragma once
#include <string>

// The sound-effect slots both editions' rules play, and the instrument file each
// is loaded from at start-up.
constexpr int SOUND_SHOT = 0;
constexpr int SOUND_EXPLODE = 1;
constexpr int SOUND_PICKUP = 2;
constexpr int SOUND_DIE = 3;
constexpr int SOUND_LEVELUP = 4;
constexpr int SOUND_EFFECT_COUNT = 5;
extern const char* const SOUND_EFFECT_FILES[SOUND_EFFECT_COUNT];

// The song file both editions load at start-up.
extern const char* const SONG_FILE;

// Loads the five sound effects from dataDir (ending with '/') into their slots; a
// missing or refused file leaves its slot the empty instrument.
void LoadSoundEffects(const std::string& dataDir);

// The rules' one door to the synthesizer: starts `note` of the instrument in
// soundEffects[slot] on `voice`. An observer, when set, sees every trigger first
// (the simulator records them; tests count them).
void PlayEffect(int slot, int note, int voice);

// Sets the observer; nullptr removes it. Main thread only.
void SetSoundObserver(void (*observer)(int slot, int note, int voice));
