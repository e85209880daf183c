#pragma once
#include <cstdint>
#include <string>

#include "game/controls.h"

// What the browser's shell needs of one edition: its canvas, its start-up without
// any platform step, its world step, its frame and its score.
struct WebEdition {
    const char* title;
    int width;  // the canvas's drawing size, which the perspective is made for
    int height;
    void (*init)(const std::string& dataDir);  // grid, textures, player, sounds, song, NewGame
    bool (*updateWorld)(Controls& input);      // one world step; false ends the game
    void (*drawScene)();                       // one frame into the WebGL context
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
