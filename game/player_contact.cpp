#include "game/player_contact.h"

#include "game/sound_effects.h"

namespace {

const double COLLECT_DISTANCE = 1.5;
const int32_t RESPAWN_PROTECTION = 300;
const int32_t COLLECT_BELOW = 150;         // respawnTimer below this may collect
const int32_t SILENT_COLLECT_STEPS = 100;  // collections this early in a game are silent

double Distance(const Vector3& a, const Vector3& b) { return (a - b).Length(); }

void KillPlayer(const PlayerContact& player, int32_t& entityLife) {
    player.explodePlayer(player.pos);
    player.explodePlayer(player.pos);
    player.lives -= 1;
    player.pos = {0, 0, 0};
    player.respawnTimer = RESPAWN_PROTECTION;
    player.vel = {0, 0, 0};
    entityLife = 0;
    PlayEffect(SOUND_DIE, 42, 2);
    PlayEffect(SOUND_EXPLODE, 50, 0);
    if (player.lives < 0) player.frameCounter = 0;  // game over starts counting towards a restart
}

void Collect(const PlayerContact& player, int32_t& entityLife) {
    player.score += 75;
    entityLife = 0;
    if (player.frameCounter > SILENT_COLLECT_STEPS) PlayEffect(SOUND_PICKUP, 56, 2);
}

}  // namespace

void TestPlayerContact(const PlayerContact& player, int32_t& entityLife, const Vector3& entityPos,
                       bool hostile) {
    // respawnTimer is 300 after a death, so nothing else kills in the same step.
    if (player.respawnTimer < 1 && hostile && Distance(entityPos, player.pos) < player.killDistance) {
        KillPlayer(player, entityLife);
    }
    if (player.respawnTimer < COLLECT_BELOW && !hostile &&
        Distance(entityPos, player.pos) < COLLECT_DISTANCE) {
        Collect(player, entityLife);
    }
}
