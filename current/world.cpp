#include "current/world.h"

#include "game/new_game.h"

Vector3 playerPos;
Vector3 playerVel;
Vector3 playerHeading;
Vector3 steerInput;
int32_t controlMode;
Vector3 playerColours[3];
int32_t lives;
int32_t respawnTimer;
int32_t score;
int32_t level;
int32_t fireCooldown;
int32_t frameCounter;
int32_t waveTimer;
int32_t gridForceCount;

Shot shots[SHOT_CAPACITY];
GridForce gridForces[GRID_FORCE_CAPACITY];
Entity entities[ENTITY_CAPACITY];
Shockwave shockwaves[SHOCKWAVE_CAPACITY];
Spark sparks[SPARK_CAPACITY];

void ListWorldFields(WorldFields& fields) {
    fields(playerPos)(playerVel)(playerHeading)(steerInput)(controlMode)(playerColours);
    fields(lives)(respawnTimer)(score)(level)(fireCooldown)(frameCounter)(waveTimer)(gridForceCount);
    fields(shots)(gridForces)(entities)(shockwaves)(sparks);
    ListGridFields(fields);
}

void ResetWorld() { ResetWorldFields(ListWorldFields); }

void NewGame() {
    playerPos = {0, 0, 0};
    playerVel = {0, 0, 0};
    steerInput = {0, 0, 0};
    playerHeading = {0, 1, 0};
    level = 1;
    score = 0;
    waveTimer = 0;
    respawnTimer = 0;
    lives = 2;
    frameCounter = 0;
    static_assert(SHOCKWAVE_CAPACITY == SHOT_CAPACITY && ENTITY_CAPACITY == SHOT_CAPACITY, "one pass");
    ClearGameTables(shots, shockwaves, entities, SHOT_CAPACITY, sparks, SPARK_CAPACITY);
    fireCooldown = 20;
}

void SetPlayerDefaults() {
    playerColours[0] = {0.5, static_cast<double>(0.6f), 1.0};
    playerColours[1] = {static_cast<double>(0.7f), static_cast<double>(0.3f), static_cast<double>(0.9f)};
    playerColours[2] = {1.0, static_cast<double>(0.7f), static_cast<double>(0.2f)};
    controlMode = 2;
}
