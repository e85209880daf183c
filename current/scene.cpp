#include "current/scene.h"

#include <cmath>

#include "current/world.h"
#include "render/draw_backend.h"
#include "render/primitives.h"
#include "render/scene_parts.h"
#include "render/textures.h"

// Constants written as 0.7f and the like are the single-precision values widened to
// double, exactly as the picture was tuned with them. Where one meets an int the
// widening is spelled out, or the arithmetic would stay in float.

namespace {

const Vector3 ALONG_X(1, 0, 0);

void DrawPlayer() {
    if (!PlayerShown(lives, respawnTimer)) return;
    int32_t m = controlMode;
    const Vector3& colour = playerColours[m];
    DrawSprite(SLOT_PLAYER1 + m, playerPos, playerHeading, 1.0f, colour);
    // In mode 2 the glow trails slightly behind the ship, against its heading.
    Vector3 glowPos = m == 2 ? playerPos - playerHeading * 0.2f : playerPos;
    DrawSprite(SLOT_GLOW, glowPos, ALONG_X, 2.0f,
               Vector3(0.7f * colour.x, 0.25f * colour.y, 0.3f * colour.z));
}

void DrawShockwaves() {
    for (const Shockwave& wave : shockwaves) {
        int32_t a = wave.age;
        int32_t b = wave.startAge;
        int32_t h = (100 - b) / 2;
        // Visible only in the first half of its remaining life, fading as k runs down.
        if (!(a > 0 && a < 100 - h)) continue;
        int32_t k = 100 - h - a;
        double p = std::pow(double(k * 4) / double(100 - b), 1 - double(0.01f) * b);
        DrawSprite(SLOT_GLOW, wave.pos, ALONG_X, float((a - b) * 0.5), Vector3(p, 0.7f * p, 0.2f * p));
    }
}

void DrawEntities() {
    for (const Entity& entity : entities) {
        if (entity.life <= 0) continue;
        DrawEntityAndGlow(entity.texture, entity.pos, entity.dir, entity.scale, entity.colour);
        if (entity.flash > 0) {
            DrawSprite(SLOT_GLOW, entity.pos, ALONG_X, entity.scale, Vector3(1.0, 0.2f, 0.3f));
        }
    }
}

}  // namespace

void DrawScene() {
    DrawSceneContent({DrawGrid, DrawPlayer, DrawShockwaves, DrawEntities, shots, SHOT_CAPACITY, sparks,
                      SPARK_CAPACITY, score, level, lives, SLOT_PLAYER1 + controlMode,
                      playerColours[controlMode]});
}
