#pragma once
#include <cstdint>

// Sprite slots of this edition (one ship, one enemy, no spare pictures): the
// manifest's (assets/manifest.txt).
#include "assets/classic_pictures.h"
#include "game/shot_launch.h"
#include "game/sparks.h"
#include "game/vector3.h"
#include "game/world_fields.h"

// The earlier edition's world: its own smaller tables and scalars, zero at program
// start, changed only by NewGame and UpdateWorld, read by its DrawScene. The spring
// grid's node tables are shared with the current edition (game/world.h); only the
// force table is this edition's own. Main thread only. A slot is in use while its
// activity field is positive (non-zero for a shot's byte); a new item takes the
// first free slot from index 0.
namespace classic {

constexpr int SHOT_CAPACITY = 100;
constexpr int GRID_FORCE_CAPACITY = 100;
constexpr int ENTITY_CAPACITY = 100;
constexpr int SHOCKWAVE_CAPACITY = 100;
constexpr int SPARK_CAPACITY = 1000;

// Numbers below 100 can be shot and are hostile; 100 and above cannot.
enum EntityType : int32_t {
    Enemy = 0,
    Dropping = 100,
};

// No ring strength: a ring's strength follows from its radius alone.
struct GridForce {
    Vector3 pos;
    Vector3 vel;
    float push;
    float drag;
    int32_t ring;
};

struct Entity {
    int32_t type;
    int32_t texture;
    int32_t life;
    Vector3 pos;
    Vector3 vel;
    Vector3 dir;
    float scale;
    Vector3 colour;
};

// Every shockwave starts at age 1; its ring radius is age × 0.5.
struct Shockwave {
    int32_t age;
    Vector3 pos;
};

extern Vector3 playerPos;
extern Vector3 playerVel;
extern Vector3 playerHeading;
extern int32_t lives;
extern int32_t respawnTimer;
extern int32_t score;
extern int32_t level;
extern int32_t frameCounter;
extern int32_t waveTimer;
extern int32_t waveCount;  // waves since the last level-up
extern uint8_t fireLatch;  // fire has been held since the last shot (or the restart)
extern int32_t gridForceCount;

extern Shot shots[SHOT_CAPACITY];
extern GridForce gridForces[GRID_FORCE_CAPACITY];
extern Entity entities[ENTITY_CAPACITY];
extern Shockwave shockwaves[SHOCKWAVE_CAPACITY];
extern Spark sparks[SPARK_CAPACITY];

// This edition's world as one list: the scalars and tables above, then the shared
// grid's.
void ListWorldFields(WorldFields& fields);

// Every field of the list back to its state at program start (ResetWorldFields of
// game/world.h): the one place a process that sets up several worlds clears them.
void ResetWorld();

// Resets the world for a new game. Sets fireLatch, so a fire control still held
// from the restart must be let go before the first shot. Leaves the grid alone.
void NewGame();

}  // namespace classic
