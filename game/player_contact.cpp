#include "game/player_contact.h"

#include "game/explosions.h"
#include "game/sound_effects.h"
#include "game/world.h"

namespace {

const double CONTACT_DISTANCE = 1.5;
const int32_t RESPAWN_PROTECTION = 300;
const int32_t COLLECT_BELOW = 150;         // respawnTimer below this may collect
const int32_t SILENT_COLLECT_STEPS = 100;  // collections this early in a game are silent

double DistanceToPlayer(const Entity& e) { return (e.pos - playerPos).Length(); }

void KillPlayer(Entity& e) {
    Explode(playerPos, EXPLOSION_LARGE);
    Explode(playerPos, EXPLOSION_LARGE);
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

}  // namespace

void TestPlayerContact(int index, bool hostile) {
    Entity& e = entities[index];
    // respawnTimer is 300 after a death, so nothing else kills in the same step.
    if (respawnTimer < 1 && hostile && DistanceToPlayer(e) < CONTACT_DISTANCE) KillPlayer(e);
    if (respawnTimer < COLLECT_BELOW && !hostile && DistanceToPlayer(e) < CONTACT_DISTANCE) Collect(e);
}
