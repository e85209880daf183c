#pragma once
#include <string>

#include "game/edition.h"

// The sound effects (the manifest's) and the song from dataDir (ending with '/'), the song
// started when the edition plays it, whether or not its file opened. The player
// must be running.
void LoadEditionSounds(const Edition& edition, const std::string& dataDir);

// The start-up sequence of every edition, in this order: the context exists before
// textures upload, the stream runs before sounds are read into it, the grid is
// built before the world starts, and the input devices come last, once the window
// has the focus. Logging off, generator seeded with the time (or a replay's seed), the camera, the
// edition's tables reset, the grid, the edition's textures, the player, the sounds
// and the song, the edition's start of the world, the black clear colour, the
// input devices. Always true.
bool StartEdition(const Edition& edition);
