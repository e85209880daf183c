#include "current/enemy_kinds.h"

#include "current/explosions.h"
#include "game/dropping.h"
#include "game/random.h"
#include "game/trigonometry.h"

namespace {

const int ORBITERS_PER_HUNTER = 6;

double Widened(int value) { return static_cast<double>(value); }

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

void SpawnWanderer(int index, EntitySpawner) { entities[index].colour = WandererColour(); }

// The Hunter is alive before its orbiters look for slots, so they cannot take its own.
void SpawnOrbiters(int hunter, EntitySpawner spawnEntity) {
    Vector3 pos = entities[hunter].pos;
    for (int i = 0; i < ORBITERS_PER_HUNTER; ++i) {
        int j = spawnEntity(pos, Orbiter);
        if (j < 0) continue;
        entities[j].parent = hunter;
        // Spreads the six around the circle: 0, 10, 20, 31, 41, 52.
        entities[j].counter = static_cast<int32_t>(Widened(i) * 10.466666f);
    }
}

void SpawnGunner(int index, EntitySpawner) { entities[index].counter = GameRandScaled(RAND_SCALE_101); }

void WandererStep(Entity& e, EntitySpawner) {
    e.dir = {1, 0, 0};
    e.scale = 1.0f;
}

// Turns the velocity a share of the way towards the player at `speed`, and faces it.
void SteerTowardsPlayer(Entity& e, double speed, double share) {
    Vector3 desired = Normalise(playerPos - e.pos) * speed;
    e.vel += (desired - e.vel) * share;
    e.dir = Normalise(e.vel);
}

void HunterStep(Entity& e, EntitySpawner) {
    SteerTowardsPlayer(e, 0.07f, 0.03f);
    e.colour = {0.4f, 0.6f, 0.9f};
    e.scale = 1.25f;
}

// Gunner shots are not aimed: each leaves 0.2 radians round from the one before.
void GunnerStep(Entity& e, EntitySpawner spawnEntity) {
    SteerTowardsPlayer(e, 0.05f, 0.01f);
    e.colour = {0.5, 0.6f, 0.5};
    e.scale = 1.0f;
    e.counter += 1;
    if (e.counter % 20 != 0) return;
    int j = spawnEntity(e.pos, EnemyShot);
    if (j < 0) return;
    double angle = Widened(e.counter) * 0.01f;
    entities[j].vel = {Cosine(angle) * 0.03f, Sine(angle) * 0.03f, 0};
}

// Circles its Hunter at radius 2 and vanishes with it, without explosion or score.
void OrbiterStep(Entity& e, EntitySpawner) {
    e.dir = {1, 0, 0};
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

void DroppingStep(Entity& e, EntitySpawner) { StepDropping(e, SLOT_DROPPING); }

void EnemyShotStep(Entity& e, EntitySpawner) {
    e.dir = {1, 0, 0};
    e.vel = e.vel * 1.01f;
    e.scale = 0.3f;
    e.colour = {1, 1, 1};
}

// Only a destroyed kind makes a Dropping; it is collected, never shot or spawned.
const EnemyKind KINDS[] = {
    // type, picture, life, spawn, step, hostile, score, explosion, note, leaves a Dropping
    {Wanderer, SLOT_ENEMY1, 1, SpawnWanderer, WandererStep, true, 140, EXPLOSION_MEDIUM, 40, true},
    {Hunter, SLOT_ENEMY2, 10, SpawnOrbiters, HunterStep, true, 380, EXPLOSION_LARGE, 30, true},
    {Gunner, SLOT_ENEMY4, 10, SpawnGunner, GunnerStep, true, 380, EXPLOSION_LARGE, 30, true},
    {Orbiter, SLOT_ENEMY3, 2, nullptr, OrbiterStep, true, 60, EXPLOSION_SMALL, 50, false},
    {Dropping, SLOT_DROPPING, 0, nullptr, DroppingStep, false, 0, 0, 0, false},
    {EnemyShot, SLOT_ENEMYSHOT, 1, nullptr, EnemyShotStep, true, 0, 0, 0, false},
};

}  // namespace

const EnemyKind* FindEnemyKind(int32_t type) {
    for (const EnemyKind& kind : KINDS) {
        if (kind.type == type) return &kind;
    }
    return nullptr;
}
