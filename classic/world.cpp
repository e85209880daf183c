#include "classic/world.h"

#include "game/grid_tables.h"
#include "game/new_game.h"

namespace classic {

Vector3 playerPos;
Vector3 playerVel;
Vector3 playerHeading;
int32_t lives;
int32_t respawnTimer;
int32_t score;
int32_t level;
int32_t frameCounter;
int32_t waveTimer;
int32_t waveCount;
uint8_t fireLatch;
int32_t gridForceCount;

Shot shots[SHOT_CAPACITY];
GridForce gridForces[GRID_FORCE_CAPACITY];
Entity entities[ENTITY_CAPACITY];
Shockwave shockwaves[SHOCKWAVE_CAPACITY];
Spark sparks[SPARK_CAPACITY];

void ListWorldFields(WorldFields& fields) {
    fields(playerPos)(playerVel)(playerHeading)(lives)(respawnTimer)(score)(level);
    fields(frameCounter)(waveTimer)(waveCount)(fireLatch)(gridForceCount);
    fields(shots)(gridForces)(entities)(shockwaves)(sparks);
    ::ListGridFields(fields);
}

void ResetWorld() { ::ResetWorldFields(ListWorldFields); }

void NewGame() {
    playerPos = {0, 0, 0};
    playerVel = {0, 0, 0};
    playerHeading = {0, 1, 0};
    level = 1;
    score = 0;
    waveTimer = 0;  // the first wave comes on the first step
    waveCount = 0;
    respawnTimer = 0;
    lives = 2;
    frameCounter = 0;
    static_assert(SHOCKWAVE_CAPACITY == SHOT_CAPACITY && ENTITY_CAPACITY == SHOT_CAPACITY, "one pass");
    ClearGameTables(shots, shockwaves, entities, SHOT_CAPACITY, sparks, SPARK_CAPACITY);
    fireLatch = 1;
}

}  // namespace classic
