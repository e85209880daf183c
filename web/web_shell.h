#pragma once
#include <cstdint>
#include <string>

#include "game/controls.h"
#include "game/edition.h"

// The browser's counterpart of RunGame, over the same edition descriptor the
// desktop runs (canvas size, start-up steps, world step, frame, score): makes the
// canvas's WebGL 1 context, runs the start-up every host shares (shell/start_up.h)
// over the page's platform, the data preloaded under /data/, and then per animation frame the browser shows
// the step clock's world steps (base/step_clock.h: one per frame on displays up to 85 Hz, every k-th frame on
// faster ones, the rate learnt from the frames; catch-up when frames come late) and one drawing. Keys, mouse
// buttons and focus arrive as events between frames (a tap between two frames counts for the next step); the
// pad is sampled at the start of each step. When the step returns false (Escape) the loop ends and the shared
// shutdown runs: the audio stops and the page says so. Does not return while the loop runs.
void RunWebGame(const Edition& edition);
