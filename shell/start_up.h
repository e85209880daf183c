#pragma once
#include <string>

#include "game/edition.h"
#include "shell/platform.h"

// The sound effects (the manifest's) and the song from dataDir (ending with '/'), the song
// started when the edition plays it, whether or not its file opened. The player
// must be running.
void LoadEditionSounds(const Edition& edition, const std::string& dataDir);

// The start-up sequence of every edition on every host, in this order: the context
// exists before textures upload, the stream runs before sounds are read into it,
// the grid is built before the world starts, and the input devices come last, once
// the window has the focus. Logging off, generator seeded with the host's seed, the
// camera, the edition's tables reset, the grid, the data folder and the host's
// window, the edition's textures, the player, the sounds and the song, the
// edition's start of the world, the black clear colour, the input. Always true.
bool StartEdition(const Edition& edition, const Platform& platform);

// The shutdown of every host, in this order: logging off, "Main: Cleaning up" (not
// written), the player stopped (the audio thread ends), the input closed, then the
// host's window and context with the edition's pictures.
void StopEdition(const Edition& edition, const Platform& platform);
