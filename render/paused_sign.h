#pragma once
#include <cstdint>

#include "assets/manifest.h"

// The sign a paused game shows over its frozen frame: paused.tga, drawn like the
// game-over sign. The shell turns it on while the game is paused and redraws the
// frame; the world never sees it. Main thread.

// The sign's sprite slot is SLOT_PAUSED, the manifest's, the same in both editions.

void ShowPausedSign(bool shown);
bool PausedSignShown();

// Draws the sign while it is shown: across the middle, or below the game-over sign
// when the game is over too.
void DrawPausedSign(bool gameOver);
