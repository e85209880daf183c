#include "classic/setup.h"

#include "classic/world.h"
#include "game/grid.h"
#include "game/random.h"
#include "game/world.h"  // the shared node tables

namespace classic {

namespace {

// Back to the state at program start (everything zero), so that a process that
// sets up several worlds (tests, frame tools) gets the same one each time.
void ClearWorld() {
    playerPos = playerVel = playerHeading = {};
    lives = respawnTimer = score = level = 0;
    frameCounter = waveTimer = waveCount = gridForceCount = 0;
    fireLatch = 0;
    for (Shot& s : shots) s = {};
    for (GridForce& f : gridForces) f = {};
    for (Entity& e : entities) e = {};
    for (Shockwave& s : shockwaves) s = {};
    for (Spark& s : sparks) s = {};
    // The grid construction sets positions but not velocities.
    for (int n = 0; n < GRID_NODE_CAPACITY; ++n) {
        ::gridRestPos[n] = ::gridPos[n] = ::gridVel[n] = ::gridVelScratch[n] = {};
        ::gridTexCoord[n] = {};
    }
    for (Triangle& t : ::gridTriangles) t = {};
    ::gridNodeCount = ::gridTriangleCount = 0;
}

}  // namespace

void SetUpWorld(uint32_t seed) {
    ClearWorld();
    SeedGameRand(seed);
    BuildGrid();
    NewGame();
}

}  // namespace classic
