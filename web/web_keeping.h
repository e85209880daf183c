#pragma once
#include "game/controls.h"
#include "game/edition.h"

// The player's settings and best scores in the page's storage: an IndexedDB file
// system mounted at /player/, read in once as the page starts and written back
// after every change, holding the same settings.conf and scores.txt as the
// desktop's folder (store/player_files.h), and the best game of the page's
// edition beside them. The keys, the volumes and mute apply. Browser main thread.

// Mounts the storage and reads it in; the settings apply once it has answered.
void StartWebKeeping(const Edition& game);

// The mute and volume keys (M, minus and equals as written, or the keypad's minus
// and plus) on a key press: the effects' volume, with Shift the music's, and
// mute, saved. True when the key was one of them.
bool HandleWebVolumeKey(const char* domCode, bool shift);

// After each world step: the pad's shoulder buttons step the volume (the music's
// with Y held), a game over keeps the score (and a new best's game) and puts the
// score and the best up under the sign; the volume gauge comes down after a second.
void WatchWebStep(const Edition& game, const Controls& controls);
