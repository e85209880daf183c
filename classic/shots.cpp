#include "classic/shots.h"

#include "classic/explosions.h"
#include "classic/grid.h"
#include "classic/world.h"
#include "game/sound_effects.h"

namespace classic {

namespace {

const double SHOT_RANGE = 60;  // shots fly on past the screen to this radius
const double HIT_SCALE = 1.5;  // hit radius = scale × 1.5

// One hit destroys: the enemy leaves a Dropping in its slot.
void DestroyEntity(Entity& e) {
    e.type = Dropping;
    e.life = 200;
    Explode(e.pos);
    score += 140 + 24 * level;
    PlayEffect(SOUND_EXPLODE, 30, 0);
}

// Tested at the shot's own position. A stopped shot goes on testing, so one shot
// may destroy several overlapping enemies in the same step.
void StrikeEntities(Shot& shot) {
    for (Entity& e : entities) {
        if (e.life <= 0 || e.type >= 100) continue;
        if ((shot.pos - e.pos).Length() >= e.scale * HIT_SCALE) continue;
        shot.active = 0;
        DestroyEntity(e);
    }
}

}  // namespace

void StepShots() {
    for (Shot& shot : shots) {
        if (shot.active == 0) continue;
        shot.pos += shot.vel;
        // Leaving the range ends the shot, but it still strikes and drags this step.
        if (shot.pos.Length() > SHOT_RANGE) shot.active = 0;
        StrikeEntities(shot);
        AddGridForce(shot.pos + shot.vel * 4, shot.vel, 0, 0.05f, 0.1f);
    }
}

}  // namespace classic
