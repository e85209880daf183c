#pragma once
#include <string>

#include "app/run_game.h"

// The earlier edition's program: its start-up, its window and the hooks the shared
// main loop (app/run_game.h) calls.
namespace classic {

// The song step and the song start: loads dataDir + "zazizer.zds" when it opens,
// then starts the song whether or not it did ("Play song"); without a song the
// sequencer runs with nothing to play.
void LoadAndPlaySong(const std::string& dataDir);

// Start-up, in the earlier edition's order: grid, the ten textures, the player,
// the five sound effects, the song and its start, NewGame, black clear colour,
// the input devices. Always true.
bool Init();

// Shutdown while the context is current: the textures' GL names go, and the
// cursor is shown again, whether the game ran full screen or fell back to a window.
void ReleaseGraphics();

// "vortane", 1024 × 768 × 32 full screen at 75 Hz (a plain window when the display
// refuses that mode), with Init, UpdateWorld, DrawScene, StopPlayer and
// ReleaseGraphics.
Edition MakeEdition();

}  // namespace classic
