#pragma once
#include <cstdint>

// What the shell shows over the scene for the player: the volume for a moment
// after it changed, and at game over the game's score and the best one. Set by the
// shell on the main thread; drawn by the edition's scene before the frame ends.
struct PlayerSigns {
    bool volumeShown = false;
    int volume = 100;    // per cent
    bool music = false;  // the volume shown is the music's (blue), not the effects' (amber)
    bool muted = false;
    bool bestShown = false;  // at game over
    int32_t score = 0;
    int32_t best = 0;
    bool newBest = false;  // the score is the best: marked with a pulsing glow
    int32_t pulse = 0;     // frames since the signs came up, for the pulse
};
extern PlayerSigns playerSigns;

// Puts the volume sign up: the volume in per cent, the music's or the effects'.
void ShowVolumeSign(int percent, bool music, bool muted);

// Puts the game-over signs up: the game's score and the best, marked when the
// score is the new best.
void ShowGameOverSigns(int32_t score, int32_t bestBefore, bool newBest);

// Draws the signs that are up; nothing at all when none is (the picture as
// written). Inside a scene: after the edition's own display, before EndScene.
void DrawPlayerSigns();
