#include "current/update.h"

#include "current/enemies.h"
#include "current/explosions.h"
#include "current/grid.h"
#include "current/shots.h"
#include "current/world.h"
#include "game/sound_effects.h"
#include "game/steering.h"
#include "game/table_steps.h"
#include "game/trigonometry.h"

namespace {

const int32_t FREEZE_ABOVE = 250;  // respawnTimer above this: frozen, heading reset
const int32_t FIRE_INTERVAL = 7;
const int32_t WAVE_INTERVAL = 50;

// Mode 1 lets the accumulators decay; modes 0 and 2 read the keys afresh.
bool ReadSteering(const Controls& input) {
    if (controlMode == 1) {
        steerInput.x = steerInput.x * 0.7f;
        steerInput.y = steerInput.y * 0.95f;
    } else {
        steerInput = {0, 0, 0};
    }
    return AddSteeringKeys(input, steerInput);
}

// Mode 1 turns the heading and sets the velocity from the forward drive, keys or
// not, frozen or not.
void TurnAndDrive() {
    double angle = ArcCosine(playerHeading.x);
    if (playerHeading.y < 0) angle = -angle;
    steerInput.x = Clamp(steerInput.x, -0.1f, 0.1f);
    angle -= steerInput.x * 0.6f;
    playerHeading = Normalise({Cosine(angle), Sine(angle), 0});
    steerInput.y = Clamp(steerInput.y, -0.4f, 0.4f);
    playerVel = playerHeading * steerInput.y * 0.6f;
}

void MovePlayer(bool moved) {
    if (controlMode == 1) {
        TurnAndDrive();
    } else {
        if (moved) playerVel += Normalise(steerInput) * 0.03f;
        playerVel = playerVel * 0.9f;
    }
    playerPos += playerVel;
    KeepInArena(playerPos);
}

void ReadModeKeys(const Controls& input) {
    if (input.KeyDown(KEY_1)) controlMode = 0;
    if (input.KeyDown(KEY_2)) controlMode = 1;
    if (input.KeyDown(KEY_3)) controlMode = 2;
}

// Returns whether the player is firing (fire held while playing). During game
// over fire restarts the game instead, once the sign has shown long enough.
bool FireOrRestart(const Controls& input) {
    bool fireHeld = FireHeld(input);
    if (RestartOnFire(fireHeld, lives, respawnTimer, frameCounter, NewGame)) return false;
    if (!fireHeld) {
        fireCooldown = 0;  // a fresh press fires at once
        return false;
    }
    if (fireCooldown < 1) {
        fireCooldown = FIRE_INTERVAL;
        LaunchShot(shots, SHOT_CAPACITY, playerPos, playerHeading);
        PlayEffect(SOUND_SHOT, 37, 1);  // also when every shot is in flight
    }
    return true;
}

// The heading turns towards the motion, except in mode 1 (steered directly) and
// in mode 2 while firing (strafing keeps the aim).
void TurnWithMotion(bool moved, bool firing) {
    if (controlMode == 1 || !moved || (controlMode == 2 && firing)) return;
    FollowMotion(playerHeading, playerVel);
}

void CountDownWave() {
    waveTimer -= 1;
    if (waveTimer > 0) return;
    waveTimer = WAVE_INTERVAL;
    SpawnWave();
}

}  // namespace

bool UpdateWorld(Controls& input) {
    if (!PollUnlessEscape(input)) return false;
    gridForceCount = 0;
    bool moved = ReadSteering(input);
    if (respawnTimer > FREEZE_ABOVE) {
        moved = false;
        playerHeading = {0, 1, 0};
    }
    MovePlayer(moved);
    ReadModeKeys(input);
    frameCounter += 1;
    if (fireCooldown > 0) fireCooldown -= 1;
    bool firing = FireOrRestart(input);
    TurnWithMotion(moved, firing);
    if (respawnTimer > 0) respawnTimer -= 1;
    StepTables({CountDownWave, StepShockwaves, sparks, SPARK_CAPACITY, StepEntities, StepShots, StepGrid});
    return true;
}
