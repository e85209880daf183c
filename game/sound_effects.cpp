#include "game/sound_effects.h"

#include "synth/instrument_file.h"
#include "synth/voices.h"

namespace {
void (*soundObserver)(int slot, int note, int voice) = nullptr;
}

void LoadSoundEffects(const std::string& dataDir) {
    for (int slot = 0; slot < SOUND_EFFECT_COUNT; ++slot) {
        LoadSoundEffect(slot, (dataDir + SOUND_EFFECT_FILES[slot]).c_str());
    }
}

void PlayEffect(int slot, int note, int voice) {
    if (soundObserver) soundObserver(slot, note, voice);
    TriggerNote(soundEffects[slot], note, voice);
}

void SetSoundObserver(void (*observer)(int slot, int note, int voice)) { soundObserver = observer; }
