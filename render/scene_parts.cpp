#include "render/scene_parts.h"

#include "base/log.h"
#include "render/draw_backend.h"
#include "render/primitives.h"
#include "render/scene.h"
#include "render/textures.h"

// Constants written as 0.7f are the single-precision values widened to double,
// exactly as the picture was tuned with them.

namespace {
const Vector3 ALONG_X(1, 0, 0);
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
