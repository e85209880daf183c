#include "classic/update.h"

#include "classic/entities.h"
#include "classic/explosions.h"
#include "classic/grid.h"
#include "classic/shots.h"
#include "classic/waves.h"
#include "classic/world.h"
#include "game/sound_effects.h"
#include "game/steering.h"
#include "game/table_steps.h"

namespace classic {

namespace {

const int32_t FREEZE_ABOVE = 250;  // respawnTimer above this: frozen, heading reset

// The steering vector lives for this step only.
bool ReadSteering(const Controls& input, Vector3& steering) {
    steering = {0, 0, 0};
    return AddSteeringKeys(input, steering);
}

void MovePlayer() {
    playerVel = playerVel * 0.9f;
    playerPos += playerVel;
    KeepInArena(playerPos);
}

// One press gives one shot: the latch is set by the shot (and by NewGame) and
// cleared only while fire is up. During game over fire restarts the game instead,
// once the sign has shown long enough.
void FireOrRestart(const Controls& input) {
    bool fireHeld = FireHeld(input);
    if (RestartOnFire(fireHeld, lives, respawnTimer, frameCounter, NewGame)) return;
    if (!fireHeld) {
        fireLatch = 0;
        return;
    }
    if (fireLatch) return;
    fireLatch = 1;
    LaunchShot(shots, SHOT_CAPACITY, playerPos, playerHeading);
    PlayEffect(SOUND_SHOT, 37, 1);  // also when every shot is in flight
}

}  // namespace

bool UpdateWorld(Controls& input) {
    if (!PollUnlessEscape(input)) return false;
    gridForceCount = 0;
    Vector3 steering;
    bool moved = ReadSteering(input, steering);
    if (respawnTimer > FREEZE_ABOVE) {
        moved = false;
        playerHeading = {0, 1, 0};
    } else if (moved) {
        playerVel += Normalise(steering) * 0.03f;
    }
    MovePlayer();
    // Turned before firing, so a shot leaves along this step's heading.
    if (moved) FollowMotion(playerHeading, playerVel);
    frameCounter += 1;
    FireOrRestart(input);
    if (respawnTimer > 0) respawnTimer -= 1;
    StepTables({CountDownWave, StepShockwaves, sparks, SPARK_CAPACITY, StepEntities, StepShots, StepGrid});
    return true;
}

}  // namespace classic
