#include "current/enemies.h"

#include "current/enemy_kinds.h"
#include "current/explosions.h"
#include "current/world.h"
#include "game/dropping.h"
#include "game/player_contact.h"
#include "game/random.h"
#include "game/spawning.h"
#include "game/trigonometry.h"

namespace {

const double ARENA_RADIUS = 30;  // entities enter on this circle and leave past it

double Widened(int value) { return static_cast<double>(value); }

void ExplodePlayer(const Vector3& at) { Explode(at, EXPLOSION_LARGE); }

// A hostile entity must come within 1.5 to kill, as a Dropping to be collected.
const PlayerContact PLAYER = {playerPos, playerVel,    lives, respawnTimer,
                              score,     frameCounter, 1.5,   ExplodePlayer};

}  // namespace

int SpawnEntity(const Vector3& pos, int32_t type) {
    int index = FirstFreeEntity(entities, ENTITY_CAPACITY);
    if (index < 0) return -1;
    Entity& e = entities[index];
    e.pos = pos;
    e.vel = AimInwards(e.pos, level);
    e.type = type;
    e.flash = 0;
    const EnemyKind* kind = FindEnemyKind(type);
    // A kind that is never spawned (or no kind): the slot stays free.
    if (kind == nullptr || kind->life == 0) return -1;
    e.life = kind->life;
    if (kind->spawn) kind->spawn(index, SpawnEntity);
    return index;
}

void SpawnWave() {
    int n = level - static_cast<int>(Widened(GameRand()) * (level / 2 + 1) * RAND_SCALE_1);
    if (n < 1) n = 1;
    for (int i = 0; i < n; ++i) {
        int a = GameRandScaled(RAND_SCALE_629);
        int t = GameRandScaled(RAND_SCALE_7);
        // The angle is a single-precision value; kind 3 (t = 7) yields no entity.
        double angle = static_cast<float>(Widened(a) * 0.01f);
        int kind = t - 4 < 0 ? 0 : t - 4;
        SpawnEntity({30 * Cosine(angle), 30 * Sine(angle), 0}, kind);
    }
}

bool RunBehaviour(int index) {
    Entity& e = entities[index];
    const EnemyKind* kind = FindEnemyKind(e.type);
    if (kind == nullptr) return false;
    e.texture = kind->picture;
    kind->step(e, SpawnEntity);
    return kind->hostile;
}

void StepEntities() {
    for (int i = 0; i < ENTITY_CAPACITY; ++i) {
        if (entities[i].life <= 0) continue;
        bool hostile = RunBehaviour(i);
        Entity& e = entities[i];
        if (e.flash > 0) {
            e.flash -= 1;
            e.colour = {1, 1, 1};
        }
        TestPlayerContact(PLAYER, e.life, e.pos, hostile);
        e.pos += e.vel;
        if (e.pos.Length() > ARENA_RADIUS) e.life = 0;
    }
}
