#pragma once
#include <cstdint>
#include <string>

#include "game/controls.h"
#include "game/edition.h"

// The browser's counterpart of RunGame, over the same edition descriptor the
// desktop runs (canvas size, start-up steps, world step, frame, score): makes the
// canvas's WebGL 1 context, runs the edition's start-up with the data preloaded
// under /data/, and then one world step and one frame per animation frame the
// browser shows (its display's pace, as the desktop's swap interval). Keys, mouse
// buttons and focus arrive as events between frames; the pad is sampled at the
// start of each step. When the step returns false (Escape) the loop ends, the
// audio stops and the page says so. Does not return while the loop runs.
void RunWebGame(const Edition& edition);
