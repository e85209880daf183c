#include "game/sound_effects.h"

#include "synth/song_files.h"
#include "synth/voices.h"

namespace {
void (*soundObserver)(int slot, int note, int voice) = nullptr;
}

void PlayEffect(int slot, int note, int voice) {
    if (soundObserver) soundObserver(slot, note, voice);
    TriggerNote(soundEffects[slot], note, voice);
}

void SetSoundObserver(void (*observer)(int slot, int note, int voice)) { soundObserver = observer; }
