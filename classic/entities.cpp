#include "classic/entities.h"

#include "classic/explosions.h"
#include "classic/world.h"
#include "game/dropping.h"
#include "game/player_contact.h"

namespace classic {

namespace {

const double ARENA_RADIUS = 60;  // entities leave past this circle

// An enemy must come within 1.0 to kill (a Dropping is collected within 1.5).
const PlayerContact PLAYER = {playerPos, playerVel, lives, respawnTimer, score, frameCounter, 1.0, Explode};

void EnemyStep(Entity& e) {
    e.dir = {1, 0, 0};
    e.texture = SLOT_ENEMY;
    e.scale = 1.0f;
    e.colour = {0.3f, 1.0, 0.5};
}

// Sets the entity's looks for this step; true when it is hostile.
bool RunBehaviour(Entity& e) {
    switch (e.type) {
        case Enemy:
            EnemyStep(e);
            return true;
        case Dropping:
            StepDropping(e, SLOT_DROPPING);
            return false;
        default:
            return false;
    }
}

}  // namespace

void StepEntities() {
    for (Entity& e : entities) {
        if (e.life <= 0) continue;
        bool hostile = RunBehaviour(e);
        TestPlayerContact(PLAYER, e.life, e.pos, hostile);
        e.pos += e.vel;
        if (e.pos.Length() > ARENA_RADIUS) e.life = 0;
    }
}

}  // namespace classic
