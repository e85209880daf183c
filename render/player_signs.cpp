#include "render/player_signs.h"

#include <cmath>

#include "render/primitives.h"
#include "render/textures.h"

PlayerSigns playerSigns;

namespace {

const Vector3 ALONG_X(1, 0, 0);
constexpr int VOLUME_BARS = 10;

// Ten bars in the bottom right corner, lit up to the volume, with its number
// under them: amber for the effects, blue for the music, whose sign also has a
// second light above its first like a note's flag; dim red while muted.
void DrawVolume() {
    const PlayerSigns& s = playerSigns;
    int lit = s.muted ? 0 : (s.volume + 5) / 10;
    Vector3 on = s.music ? Vector3(0.3, 0.6, 1.0) : Vector3(1.0, 0.7, 0.2);
    Vector3 off = s.music ? Vector3(0.05, 0.1, 0.2) : Vector3(0.15, 0.1, 0.05);
    for (int i = 0; i < VOLUME_BARS; ++i) {
        Vector3 pos(9.0 + i * 1.1, -12.0, 0);
        Vector3 colour = s.muted ? Vector3(0.5, 0.05, 0.1) : i < lit ? on : off;
        DrawSprite(SLOT_GLOW, pos, ALONG_X, 0.6f + 0.05f * i, colour);
    }
    if (s.music) DrawSprite(SLOT_GLOW, Vector3(9.4, -10.8, 0), ALONG_X, 0.45f, on);
    DrawNumber(s.muted ? 0 : s.volume, 3, Vector3(17.5, -14.0, 0));
}

// The score and the best under the game-over sign; a new best pulses.
void DrawBest() {
    const PlayerSigns& s = playerSigns;
    DrawNumber(s.score, 8, Vector3(3.5, -7.5, 0));
    DrawNumber(s.best, 8, Vector3(3.5, -9.5, 0));
    DrawSprite(SLOT_GLOW, Vector3(-6.0, -7.0, 0), ALONG_X, 1.0f, Vector3(0.3, 0.6, 1.0));
    DrawSprite(SLOT_GLOW, Vector3(-6.0, -9.0, 0), ALONG_X, 1.0f, Vector3(1.0, 0.7, 0.2));
    if (s.newBest) {
        double glow = 0.6 + 0.4 * std::sin(s.pulse * 0.15);
        DrawSprite(SLOT_GLOW, Vector3(0.0, -7.0, 0), ALONG_X, 6.0f, Vector3(glow, 0.8 * glow, 0.2 * glow));
    }
}

}  // namespace

void ShowVolumeSign(int percent, bool music, bool muted) {
    playerSigns.volume = percent;
    playerSigns.music = music;
    playerSigns.muted = muted;
    playerSigns.volumeShown = true;
}

void ShowGameOverSigns(int32_t score, int32_t bestBefore, bool newBest) {
    playerSigns.score = score;
    playerSigns.best = newBest ? score : bestBefore;
    playerSigns.newBest = newBest;
    playerSigns.pulse = 0;
    playerSigns.bestShown = true;
}

void DrawPlayerSigns() {
    if (playerSigns.volumeShown) DrawVolume();
    if (playerSigns.bestShown) DrawBest();
}
