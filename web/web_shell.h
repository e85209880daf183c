#pragma once
#include <cstdint>
#include <string>

#include "game/controls.h"
#include "game/edition.h"

// What the browser's shell runs: an edition (its canvas size, start-up steps, world
// step and frame, the same descriptor the desktop runs) and where its score is read.
struct WebEdition {
    const Edition& edition;
    int32_t (*score)();
};

// The browser's counterpart of RunGame: makes the canvas's WebGL 1 context, runs the
// edition's start-up with the data preloaded under /data/, and then one world step
// and one frame per animation frame the browser shows (its display's pace, as the
// desktop's swap interval). Keys, mouse buttons and focus arrive as events between
// frames; the pad is sampled at the start of each step. When the step returns false
// (Escape) the loop ends, the audio stops and the page says so. Does not return
// while the loop runs.
void RunWebGame(const WebEdition& edition);
