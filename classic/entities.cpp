#include "classic/entities.h"

#include <cmath>

#include "classic/explosions.h"
#include "classic/world.h"
#include "game/sound_effects.h"

namespace classic {

namespace {

const double KILL_DISTANCE = 1.0;     // an enemy must come this close to kill
const double COLLECT_DISTANCE = 1.5;  // a dropping is collected this close
const double ARENA_RADIUS = 60;       // entities leave past this circle
const int32_t RESPAWN_PROTECTION = 300;
const int32_t COLLECT_BELOW = 150;         // respawnTimer below this may collect
const int32_t SILENT_COLLECT_STEPS = 100;  // collections this early are silent

void EnemyStep(Entity& e) {
    e.dir = {1, 0, 0};
    e.texture = SLOT_ENEMY;
    e.scale = 1.0f;
    e.colour = {0.3f, 1.0, 0.5};
}

// Pulses while it lives its 200 steps and fades over the last 25.
void DroppingStep(Entity& e) {
    e.dir = {1, 0, 0};
    e.texture = SLOT_DROPPING;
    e.life -= 1;
    e.scale = 1.0f;
    double h = e.life;
    double t = h * 0.6f;
    double a = std::sin(t) * 0.5f + 0.4f;
    double b = std::sin(t + 1.7f) * 0.5f + 0.4f;
    double f = std::fmin(h * 0.04f, 1.0);
    e.colour = {0.2f * f, a * 0.8f * f, b * f};
    e.vel = e.vel * 0.99f;
}

// Sets the entity's looks for this step; true when it is hostile.
bool RunBehaviour(Entity& e) {
    switch (e.type) {
        case Enemy:
            EnemyStep(e);
            return true;
        case Dropping:
            DroppingStep(e);
            return false;
        default:
            return false;
    }
}

double DistanceToPlayer(const Entity& e) { return (e.pos - playerPos).Length(); }

void KillPlayer(Entity& e) {
    Explode(playerPos);
    Explode(playerPos);
    lives -= 1;
    playerPos = {0, 0, 0};
    respawnTimer = RESPAWN_PROTECTION;
    playerVel = {0, 0, 0};
    e.life = 0;
    PlayEffect(SOUND_DIE, 42, 2);
    PlayEffect(SOUND_EXPLODE, 50, 0);
    if (lives < 0) frameCounter = 0;  // game over starts counting towards a restart
}

void Collect(Entity& e) {
    score += 75;
    e.life = 0;
    if (frameCounter > SILENT_COLLECT_STEPS) PlayEffect(SOUND_PICKUP, 56, 2);
}

// Uses the entity as it is even if its behaviour has just freed it. After a death
// respawnTimer is 300, so nothing else kills in the same step.
void TestPlayerContact(Entity& e, bool hostile) {
    if (respawnTimer < 1 && hostile && DistanceToPlayer(e) < KILL_DISTANCE) KillPlayer(e);
    if (respawnTimer < COLLECT_BELOW && !hostile && DistanceToPlayer(e) < COLLECT_DISTANCE) Collect(e);
}

}  // namespace

void StepEntities() {
    for (Entity& e : entities) {
        if (e.life <= 0) continue;
        bool hostile = RunBehaviour(e);
        TestPlayerContact(e, hostile);
        e.pos += e.vel;
        if (e.pos.Length() > ARENA_RADIUS) e.life = 0;
    }
}

}  // namespace classic
