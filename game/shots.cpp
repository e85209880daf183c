#include "game/shots.h"

#include <cmath>

#include "game/enemy_kinds.h"
#include "game/explosions.h"
#include "game/grid.h"
#include "game/sound_effects.h"
#include "game/world.h"

namespace {

const double FIELD_HALF_WIDTH = 23;
const double FIELD_HALF_HEIGHT = 17;

// Its kind says what it leaves (a Dropping in its slot, or nothing), how it
// explodes and what it scores.
void DestroyEntity(Entity& e) {
    const EnemyKind* kind = FindEnemyKind(e.type);
    if (kind == nullptr || kind->explosion == 0) return;
    if (kind->leavesDropping) {
        e.type = Dropping;
        e.life = 200;
    } else {
        e.life = 0;
    }
    Explode(e.pos, kind->explosion);
    score += kind->score;
    PlayEffect(SOUND_EXPLODE, kind->explosionNote, 0);
}

// The hit point trails the shot by two steps. A stopped shot goes on testing, so
// one shot may strike several overlapping entities in the same step.
void StrikeEntities(Shot& shot) {
    Vector3 testPoint = shot.pos - shot.vel * 2;
    for (Entity& e : entities) {
        if (e.life <= 0 || e.type >= 100) continue;
        if ((testPoint - e.pos).Length() >= e.scale * 1.25) continue;
        e.life -= 1;
        shot.active = 0;
        if (e.life < 1) {
            DestroyEntity(e);
        } else {
            e.flash = 3;
        }
    }
}

}  // namespace

void StepShots() {
    for (Shot& shot : shots) {
        if (shot.active == 0) continue;
        shot.pos += shot.vel;
        // Leaving the field ends the shot, but it still strikes and drags this step.
        if (std::fabs(shot.pos.x) > FIELD_HALF_WIDTH || std::fabs(shot.pos.y) > FIELD_HALF_HEIGHT) {
            shot.active = 0;
        }
        StrikeEntities(shot);
        AddGridForce(shot.pos + shot.vel * 4, shot.vel, 0, 0, 0.1f, 0.1f);
    }
}
