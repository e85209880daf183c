#pragma once
#include <cstdint>

// Sprite slots (the texture table of the renderer; an entity names its picture by
// slot): the manifest's (assets/manifest.txt).
#include "assets/current_pictures.h"
#include "game/grid_tables.h"
#include "game/shot_launch.h"
#include "game/sparks.h"
#include "game/vector3.h"
#include "game/world_fields.h"

// The current edition's world: fixed tables and scalars, zero at program start,
// changed only by NewGame and UpdateWorld, read by its DrawScene. The spring grid's
// node tables are shared with the earlier edition (game/grid_tables.h).
// Main thread only. A slot is in use while its activity field is positive
// (non-zero for a shot's byte); a new item takes the first free slot from index 0.

constexpr int SHOT_CAPACITY = 100;
constexpr int GRID_FORCE_CAPACITY = 100;
constexpr int ENTITY_CAPACITY = 100;
constexpr int SHOCKWAVE_CAPACITY = 100;
constexpr int SPARK_CAPACITY = 2000;

enum EntityType : int32_t {
    Wanderer = 0,
    Hunter = 1,
    Gunner = 2,
    Orbiter = 10,
    Dropping = 100,
    EnemyShot = 101,
};

struct GridForce {
    Vector3 pos;
    Vector3 vel;
    float push;
    float drag;
    int32_t ring;
    float ringStrength;
};

struct Entity {
    int32_t type;
    int32_t texture;
    int32_t life;
    int32_t counter;
    int32_t parent;
    int32_t flash;
    Vector3 pos;
    Vector3 vel;
    Vector3 dir;
    float scale;
    Vector3 colour;
};

struct Shockwave {
    int32_t age;
    int32_t startAge;
    Vector3 pos;
};

// Player and game scalars.
extern Vector3 playerPos;
extern Vector3 playerVel;
extern Vector3 playerHeading;
extern Vector3 steerInput;
extern int32_t controlMode;
extern Vector3 playerColours[3];
extern int32_t lives;
extern int32_t respawnTimer;
extern int32_t score;
extern int32_t level;
extern int32_t fireCooldown;
extern int32_t frameCounter;
extern int32_t waveTimer;
extern int32_t gridForceCount;

// Tables.
extern Shot shots[SHOT_CAPACITY];
extern GridForce gridForces[GRID_FORCE_CAPACITY];
extern Entity entities[ENTITY_CAPACITY];
extern Shockwave shockwaves[SHOCKWAVE_CAPACITY];
extern Spark sparks[SPARK_CAPACITY];

// This edition's world as one list: the scalars and tables above, then the grid's.
void ListWorldFields(WorldFields& fields);

// ResetWorldFields of this edition's list.
void ResetWorld();

// Resets the world for a new game; leaves controlMode, playerColours and the grid alone.
void NewGame();

// Start-up's settings after NewGame: controlMode 2 and the three player colours.
void SetPlayerDefaults();
