#pragma once
#include "game/edition.h"

// The player's settings and best scores in the page's storage: an IndexedDB file
// system mounted at /player/, read in once as the page starts and written back
// after every change, holding the same settings.conf and scores.txt as the
// desktop's folder (store/player_files.h). The volume and mute settings apply;
// the page keeps its keys. Browser main thread.

// Mounts the storage and reads it in; the settings apply once it has answered.
void StartWebKeeping();

// M, minus and equals (or the keypad's minus and plus) on a key press: the volume
// and mute, saved. True when the key was one of them.
bool HandleWebVolumeKey(const char* domCode);

// After each world step: a game over keeps the score and puts the score and the
// best up under the sign; the volume gauge comes down after a second.
void WatchWebStep(const Edition& game);
