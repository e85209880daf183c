#include "current/shots.h"

#include <cmath>

#include "current/explosions.h"
#include "current/grid.h"
#include "current/world.h"
#include "game/sound_effects.h"

namespace {

const double FIELD_HALF_WIDTH = 23;
const double FIELD_HALF_HEIGHT = 17;

// Wanderer, Hunter and Gunner leave a Dropping in their slot; an Orbiter just goes.
void DestroyEntity(Entity& e) {
    switch (e.type) {
        case Wanderer:
            e.type = Dropping;
            e.life = 200;
            Explode(e.pos, EXPLOSION_MEDIUM);
            score += 140;
            PlayEffect(SOUND_EXPLODE, 40, 0);
            break;
        case Hunter:
        case Gunner:
            e.type = Dropping;
            e.life = 200;
            Explode(e.pos, EXPLOSION_LARGE);
            score += 380;
            PlayEffect(SOUND_EXPLODE, 30, 0);
            break;
        case Orbiter:
            e.life = 0;
            Explode(e.pos, EXPLOSION_SMALL);
            score += 60;
            PlayEffect(SOUND_EXPLODE, 50, 0);
            break;
        default:
            break;
    }
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
