#pragma once
#include <cstdint>

// The sign a paused game shows over its frozen frame: paused.tga, drawn like the
// game-over sign. The shell turns it on while the game is paused and redraws the
// frame; the world never sees it. Main thread.

// The sign's sprite slot, empty in both editions' tables.
constexpr int SLOT_PAUSED = 19;

void ShowPausedSign(bool shown);
bool PausedSignShown();

// Draws the sign while it is shown: across the middle, or below the game-over sign
// when the game is over too.
void DrawPausedSign(bool gameOver);
