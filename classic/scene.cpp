#include "classic/scene.h"

#include "classic/world.h"
#include "render/draw_backend.h"
#include "render/primitives.h"
#include "render/scene_parts.h"
#include "render/textures.h"

// Constants written as 0.7f and the like are the single-precision values widened to
// double, exactly as the picture was tuned with them. Where one meets an int the
// widening is spelled out, or the arithmetic would stay in float.

namespace classic {

namespace {

const Vector3 ALONG_X(1, 0, 0);
const Vector3 SHIP_COLOUR(1.0, 0.7f, 0.2f);

// Brightness and speed to blue: k = ((s × 20 + 1.2) × b)² × 0.3, with the speed
// linear where the current edition squares it.
void ApplyGridSpeedColour() {
    int count = ::gridRows * ::gridColumns;
    for (int n = 0; n < count; ++n) {
        double s = ::gridVel[n].Length();
        double k = (s * 20 + 1.2) * gridColour[n].x;
        k = k * k * 0.3;
        gridColour[n] = Vector3(k * 0.2, k * 0.1, k);
    }
}

void DrawPlayer() {
    if (!PlayerShown(lives, respawnTimer)) return;
    DrawSprite(SLOT_PLAYER, playerPos, playerHeading, 1.0f, SHIP_COLOUR);
    DrawSprite(SLOT_GLOW, playerPos, ALONG_X, 2.0f, Vector3(0.5, 0.2f, 0));
}

// The glow grows with the ring and fades to nothing by age 50; past that its
// colour is negative, which GL clamps to black, so it adds nothing.
void DrawShockwaves() {
    for (const Shockwave& wave : shockwaves) {
        int32_t a = wave.age;
        if (a <= 0) continue;
        double k = (50 - a) * 2;
        DrawSprite(SLOT_GLOW, wave.pos, ALONG_X, float(a * 0.5),
                   Vector3(1.0 * k * 0.02f, 0.7f * k * 0.02f, 0.2f * k * 0.02f));
    }
}

void DrawEntities() {
    for (const Entity& entity : entities) {
        if (entity.life <= 0) continue;
        DrawEntityAndGlow(entity.texture, entity.pos, entity.dir, entity.scale, entity.colour);
    }
}

}  // namespace

void DrawGrid() {
    SetGridBaseBrightness();
    ApplyGridStretch(0.5);
    ApplyGridSpeedColour();
    EmitGridMesh();
}

void DrawScene() {
    DrawSceneContent({DrawGrid, DrawPlayer, DrawShockwaves, DrawEntities, shots, SHOT_CAPACITY, sparks,
                      SPARK_CAPACITY, score, level, lives, SLOT_PLAYER, SHIP_COLOUR});
}

}  // namespace classic
