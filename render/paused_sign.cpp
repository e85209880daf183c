#include "render/paused_sign.h"

#include "assets/manifest.h"
#include "game/vector3.h"
#include "render/primitives.h"

namespace {
bool shown = false;

const Vector3 UPRIGHT(0, 1, 0);
// A cool blue against the game-over sign's magenta; the glow behind it is dimmer.
const Vector3 SIGN_COLOUR(0.35, 0.8, 1.0);
const Vector3 GLOW_COLOUR(0.05, 0.2, 0.35);
constexpr float SIGN_HALF_SIZE = 6.0f;
constexpr float GLOW_HALF_SIZE = 10.0f;
constexpr double BELOW_GAME_OVER = -4.0;  // world units: clear of the game-over sign's rails
}  // namespace

void ShowPausedSign(bool on) { shown = on; }

bool PausedSignShown() { return shown; }

void DrawPausedSign(bool gameOver) {
    if (!shown) return;
    const Vector3 at(0, gameOver ? BELOW_GAME_OVER : 0, 0);
    DrawSprite(SLOT_GLOW, at, UPRIGHT, GLOW_HALF_SIZE, GLOW_COLOUR);
    DrawSprite(SLOT_PAUSED, at, UPRIGHT, SIGN_HALF_SIZE, SIGN_COLOUR);
}
