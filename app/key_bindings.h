#pragma once
#include <SDL2/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "store/settings.h"

// The keys of the settings file on the keyboard. A control left on its default
// key reads exactly as written (by scan code); once any world control is put on
// another key, every world control reads the key its setting names, by the
// keyboard's layout (the key that says Z fires). Main thread.

// Resolves the settings' key names. A name SDL does not know is told in one line
// of `report` and the control keeps its default key. Needs the video subsystem.
void SetKeyBindings(const Settings& settings, std::vector<std::string>& report);

// Puts the bound keys' state on the world's key slots (0x80 while down); nothing
// when every world control is on its default key. `state` is SDL's keyboard state.
void ApplyKeyBindings(const Uint8* state, int count, uint8_t* keyState);

// The key slot a key press counts for: the world control it is bound to; -1 for a
// key that lost its control to another; otherwise its own scan-code slot.
int KeySlotOf(SDL_Scancode code);

// Whether the key is the one bound to the action (the mute and volume keys).
bool IsBoundKey(int action, SDL_Scancode code);
