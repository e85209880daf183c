#include "current/enemies.h"

#include "current/explosions.h"
#include "current/world.h"
#include "game/dropping.h"
#include "game/player_contact.h"
#include "game/random.h"
#include "game/spawning.h"
#include "game/trigonometry.h"

namespace {

const int ORBITERS_PER_HUNTER = 6;
const double ARENA_RADIUS = 30;  // entities enter on this circle and leave past it

double Widened(int value) { return static_cast<double>(value); }

void ExplodePlayer(const Vector3& at) { Explode(at, EXPLOSION_LARGE); }

// A hostile entity must come within 1.5 to kill, as a Dropping to be collected.
const PlayerContact PLAYER = {playerPos, playerVel,    lives, respawnTimer,
                              score,     frameCounter, 1.5,   ExplodePlayer};

// Components are multiples of 0.01; dark colours are drawn again.
Vector3 WandererColour() {
    Vector3 colour;
    do {
        int c1 = GameRandScaled(RAND_SCALE_101);
        int c2 = GameRandScaled(RAND_SCALE_101);
        int c3 = GameRandScaled(RAND_SCALE_101);
        colour = {Widened(c3) * 0.01f, Widened(c2) * 0.01f, Widened(c1) * 0.01f};
    } while (colour.Length() < 0.3f);
    return colour;
}

void SpawnOrbiters(int hunter) {
    Vector3 pos = entities[hunter].pos;
    for (int i = 0; i < ORBITERS_PER_HUNTER; ++i) {
        int j = SpawnEntity(pos, Orbiter);
        if (j < 0) continue;
        entities[j].parent = hunter;
        // Spreads the six around the circle: 0, 10, 20, 31, 41, 52.
        entities[j].counter = static_cast<int32_t>(Widened(i) * 10.466666f);
    }
}

void WandererStep(Entity& e) {
    e.dir = {1, 0, 0};
    e.texture = SLOT_ENEMY1;
    e.scale = 1.0f;
}

void HunterStep(Entity& e) {
    e.texture = SLOT_ENEMY2;
    Vector3 desired = Normalise(playerPos - e.pos) * 0.07f;
    e.vel += (desired - e.vel) * 0.03f;
    e.dir = Normalise(e.vel);
    e.colour = {0.4f, 0.6f, 0.9f};
    e.scale = 1.25f;
}

// Gunner shots are not aimed: each leaves 0.2 radians round from the one before.
void GunnerStep(Entity& e) {
    e.texture = SLOT_ENEMY4;
    Vector3 desired = Normalise(playerPos - e.pos) * 0.05f;
    e.vel += (desired - e.vel) * 0.01f;
    e.dir = Normalise(e.vel);
    e.colour = {0.5, 0.6f, 0.5};
    e.scale = 1.0f;
    e.counter += 1;
    if (e.counter % 20 != 0) return;
    int j = SpawnEntity(e.pos, EnemyShot);
    if (j < 0) return;
    double angle = Widened(e.counter) * 0.01f;
    entities[j].vel = {Cosine(angle) * 0.03f, Sine(angle) * 0.03f, 0};
}

// Circles its Hunter at radius 2 and vanishes with it, without explosion or score.
void OrbiterStep(Entity& e) {
    e.dir = {1, 0, 0};
    e.texture = SLOT_ENEMY3;
    e.counter += 1;
    double angle = Widened(e.counter) * 0.1f;
    if (e.parent < 0 || e.parent >= ENTITY_CAPACITY) {
        e.life = 0;  // cannot happen (only a Hunter makes orbiters), but never index past the table
    } else {
        const Entity& parent = entities[e.parent];
        e.pos = {parent.pos.x + 2 * Cosine(angle), parent.pos.y + 2 * Sine(angle), parent.pos.z};
        if (parent.life < 1 || parent.type > 50) e.life = 0;
    }
    e.vel = {0, 0, 0};
    e.colour = {1, 1, 1};
    e.scale = 1.0f;
}

void EnemyShotStep(Entity& e) {
    e.dir = {1, 0, 0};
    e.texture = SLOT_ENEMYSHOT;
    e.vel = e.vel * 1.01f;
    e.scale = 0.3f;
    e.colour = {1, 1, 1};
}

}  // namespace

int SpawnEntity(const Vector3& pos, int32_t type) {
    int index = FirstFreeEntity(entities, ENTITY_CAPACITY);
    if (index < 0) return -1;
    Entity& e = entities[index];
    e.pos = pos;
    e.vel = AimInwards(e.pos, level);
    e.type = type;
    e.flash = 0;
    switch (type) {
        case Wanderer:
            e.life = 1;
            e.colour = WandererColour();
            break;
        case Hunter:
            // Alive before its orbiters look for slots, so they cannot take its own.
            e.life = 10;
            SpawnOrbiters(index);
            break;
        case Gunner:
            e.life = 10;
            e.counter = GameRandScaled(RAND_SCALE_101);
            break;
        case Orbiter:
            e.life = 2;
            break;
        case EnemyShot:
            e.life = 1;
            break;
        default:
            // No behaviour: the slot stays free.
            return -1;
    }
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
    switch (e.type) {
        case Wanderer:
            WandererStep(e);
            return true;
        case Hunter:
            HunterStep(e);
            return true;
        case Gunner:
            GunnerStep(e);
            return true;
        case Orbiter:
            OrbiterStep(e);
            return true;
        case Dropping:
            StepDropping(e, SLOT_DROPPING);
            return false;
        case EnemyShot:
            EnemyShotStep(e);
            return true;
        default:
            return false;
    }
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
