#pragma once
#include <string>

#include "app/game_options.h"

// Whether the player asked the game to keep nothing: --no-save, or the
// environment variable VORTANE_NO_SAVE set to 1. Then no file is read or written
// and the game is exactly as written.
bool SavingOff(const GameOptions& options);

// The player's folder for the kept files, ending with '/': SDL's preference
// folder for the game (on Linux $XDG_DATA_HOME/vortane/, else
// ~/.local/share/vortane/), created when missing. "" after one line on stderr
// when there is none; the game then keeps nothing.
std::string FindPlayerFolder();
