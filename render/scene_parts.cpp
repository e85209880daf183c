#include "render/scene_parts.h"

#include "base/log.h"
#include "render/draw_backend.h"
#include "render/paused_sign.h"
#include "render/player_signs.h"
#include "render/primitives.h"
#include "render/textures.h"

// Constants written as 0.7f are the single-precision values widened to double,
// exactly as the picture was tuned with them.

Vector3 cameraPos;

namespace {
const Vector3 ALONG_X(1, 0, 0);
const Vector3 UPRIGHT(0, 1, 0);
}  // namespace

void BeginScene() {
    const DrawBackend& backend = ActiveDrawBackend();
    backend.beginFrame(cameraPos);
    backend.bindTexture(gridTexture.Id());
}

void EndScene() {
    LogDisable();
    ActiveDrawBackend().endFrame();
}

void DrawShots(const Shot* shots, int capacity) {
    for (int i = 0; i < capacity; ++i) {
        const Shot& shot = shots[i];
        if (!shot.active) continue;
        Vector3 dir = Normalise(shot.vel);
        DrawSprite(SLOT_SHOT, shot.pos, dir, 1.0f, Vector3(1.0, 0.8f, 0.4f));
        DrawSprite(SLOT_SHOTGLOW, shot.pos, dir, 1.0f, Vector3(0.8f, 0.3f, 0));
        DrawSprite(SLOT_GLOW, shot.pos, ALONG_X, 2.0f, Vector3(0.4f, 0.2f, 0));
    }
}

void DrawSparks(const Spark* sparks, int capacity) {
    for (int i = 0; i < capacity; ++i) {
        const Spark& spark = sparks[i];
        if (spark.life <= 0) continue;
        DrawSprite(SLOT_SPARK, spark.pos, ALONG_X, 1.0f, spark.colour * spark.life * 0.02f);
    }
}

bool PlayerShown(int32_t lives, int32_t respawnTimer) { return !(lives < 0 || respawnTimer % 10 >= 5); }

void DrawEntityAndGlow(int32_t texture, const Vector3& pos, const Vector3& dir, float scale,
                       const Vector3& colour) {
    DrawSprite(texture, pos, dir, scale, colour);
    DrawSprite(SLOT_GLOW, pos, ALONG_X, scale * 1.5f, colour * 0.5);
}

void DrawDisplay(int32_t score, int32_t level, int32_t lives, int32_t shipSlot, const Vector3& shipColour) {
    DrawNumber(score, 8, Vector3(-14, 14.5, 0));
    DrawNumber(level, 2, Vector3(0, 14.5, 0));
    DrawSprite(SLOT_GLOW, Vector3(0, 15, 0), ALONG_X, 2.0f, Vector3(0, 0, 0.5));

    for (int32_t i = 0; i < lives; ++i) {
        DrawSprite(shipSlot, Vector3(i - double(20.4f), 14, 0), UPRIGHT, 0.5f, shipColour);
    }

    if (lives < 0) {
        DrawSprite(SLOT_GAMEOVER, Vector3(0, 0, 0), UPRIGHT, 6.0f, Vector3(1.0, 0.2f, 0.6f));
        DrawSprite(SLOT_GLOW, Vector3(0, 0, 0), UPRIGHT, 10.0f, Vector3(0.5, 0.1f, 0.3f));
    }
    DrawPlayerSigns();  // nothing unless the shell put a sign up
    DrawPausedSign(lives < 0);
}

void DrawSceneContent(const SceneContent& content) {
    BeginScene();
    content.drawGrid();

    content.drawPlayer();
    DrawShots(content.shots, content.shotCapacity);
    content.drawShockwaves();
    DrawSparks(content.sparks, content.sparkCapacity);
    content.drawEntities();
    DrawDisplay(content.score, content.level, content.lives, content.shipSlot, content.shipColour);

    EndScene();
}
