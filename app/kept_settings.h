#pragma once
#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "app/game_options.h"
#include "game/controls.h"
#include "game/edition.h"

// The player's settings in the running game: read before the window opens,
// applied after start-up, saved whenever the player changes one (the volume, mute,
// full screen, the control mode). With --no-save nothing is read or written; the
// volume keys still work for the session. Main thread.

// Before the window: finds the player's folder, reads the settings (writing the
// commented defaults when there is no file yet), turns --replay best into the
// kept best game, and fills in what the command line left open: --fps (unless
// VORTANE_FPS is set), full screen or window. Returns -1 to go on, or the exit
// status after a message (2: --replay best without a kept best game).
int StartKeeping(const Edition& edition, GameOptions& options);

// The player's folder while things are kept, "" otherwise.
const std::string& KeptFolder();
// Whether the session is a replay (nothing of it is kept as the player's).
bool KeptReplay();

// After start-up: the key names, the volume, the control mode to start in.
void ApplyKeptSettings(const Edition& edition);

// The mute and volume keys (with Shift the volume keys step the music, without it
// the effects); true when the key was one of them.
bool HandleVolumeKey(const SDL_KeyboardEvent& key);

// After each world step: the pad's shoulder buttons step the effects' volume
// (the music's while button 4 is held), and a
// change of full screen or control mode is saved.
void WatchSettings(const Edition& edition, const Controls& devices);

// Before each frame: whether the volume sign is still up.
void UpdateVolumeSign();

// One "PROGRAM: line" on stderr for each.
void ReportKeeping(const std::vector<std::string>& report);
