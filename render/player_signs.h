#pragma once
#include <cstdint>

// What the shell shows over the scene for the player: the volume for a moment
// after it changed, and at game over the game's score and the best one. Set by the
// shell on the main thread; drawn by the edition's scene before the frame ends.
struct PlayerSigns {
    bool volumeShown = false;
    int volume = 100;  // per cent
    bool muted = false;
    bool bestShown = false;  // at game over
    int32_t score = 0;
    int32_t best = 0;
    bool newBest = false;  // the score is the best: marked with a pulsing glow
    int32_t pulse = 0;     // frames since the signs came up, for the pulse
};
extern PlayerSigns playerSigns;

// Draws the signs that are up; nothing at all when none is (the picture as
// written). Inside a scene: after the edition's own display, before EndScene.
void DrawPlayerSigns();
