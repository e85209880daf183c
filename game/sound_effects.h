#pragma once

// The rules' one door to the synthesizer: starts `note` of the instrument in
// soundEffects[slot] on `voice`. An observer, when set, sees every trigger first
// (the simulator records them; tests count them).
void PlayEffect(int slot, int note, int voice);

// Sets the observer; nullptr removes it. Main thread only.
void SetSoundObserver(void (*observer)(int slot, int note, int voice));
