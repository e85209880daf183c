#pragma once
#include <cstdint>

// Sprite slots (the texture table of the renderer; an entity names its picture by
// slot): the manifest's (assets/manifest.txt).
#include "assets/current_pictures.h"
#include "game/shot_launch.h"
#include "game/sparks.h"
#include "game/vector3.h"
#include "game/world_fields.h"

// The whole game world: fixed tables and scalars, zero at program start, changed
// only by NewGame, grid construction and UpdateWorld, read by the renderer.
// Main thread only. A slot is in use while its activity field is positive
// (non-zero for a shot's byte); a new item takes the first free slot from index 0.

constexpr int SHOT_CAPACITY = 100;
constexpr int GRID_FORCE_CAPACITY = 100;
constexpr int ENTITY_CAPACITY = 100;
constexpr int SHOCKWAVE_CAPACITY = 100;
constexpr int SPARK_CAPACITY = 2000;
constexpr int GRID_NODE_CAPACITY = 10000;
constexpr int GRID_TRIANGLE_CAPACITY = 10000;

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

struct TexCoord {
    float u, v;
};

struct Triangle {
    int32_t node[3];
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

// The spring grid (built once at start-up, never reset by NewGame).
constexpr int32_t GRID_COLUMNS = 55;
constexpr int32_t GRID_ROWS = 40;
extern int32_t gridColumns;  // GRID_COLUMNS; the grid's tests build other sizes
extern int32_t gridRows;     // GRID_ROWS
extern int32_t gridNodeCount;
extern Vector3 gridRestPos[GRID_NODE_CAPACITY];
extern Vector3 gridPos[GRID_NODE_CAPACITY];
extern Vector3 gridVel[GRID_NODE_CAPACITY];
extern Vector3 gridVelScratch[GRID_NODE_CAPACITY];
extern TexCoord gridTexCoord[GRID_NODE_CAPACITY];
extern Triangle gridTriangles[GRID_TRIANGLE_CAPACITY];
extern int32_t gridTriangleCount;

// This edition's world as one list: the scalars and tables above, then the grid's.
void ListWorldFields(WorldFields& fields);

// The shared grid's fields (its size, nodes and triangles), which both editions'
// lists end with.
void ListGridFields(WorldFields& fields);

// Every field of an edition's list back to its state at program start: all zero
// (the grid unbuilt), but the grid's size GRID_COLUMNS × GRID_ROWS. The one place a
// process that sets up several worlds (tools, tests, benchmarks) clears them.
void ResetWorldFields(WorldFieldList list);

// ResetWorldFields of this edition's list.
void ResetWorld();

// Resets the world for a new game; leaves controlMode, playerColours and the grid alone.
void NewGame();

// Start-up's settings after NewGame: controlMode 2 and the three player colours.
void SetPlayerDefaults();
