#include "classic/update.h"

#include "base/log.h"
#include "classic/entities.h"
#include "classic/explosions.h"
#include "classic/grid.h"
#include "classic/shots.h"
#include "classic/waves.h"
#include "classic/world.h"
#include "game/sound_effects.h"

namespace classic {

namespace {

const int32_t FREEZE_ABOVE = 250;  // respawnTimer above this: frozen, heading reset
const int32_t RESTART_AFTER = 75;  // game-over steps before fire restarts

bool Held(const Controls& input, int key, int joystickSlot) {
    return input.KeyDown(key) || input.KeyDown(joystickSlot);
}

// The steering vector lives for this step only. Up and right add slightly more
// than down and left take away, so opposite keys held together still drift up
// and right.
bool ReadSteering(const Controls& input, Vector3& steering) {
    steering = {0, 0, 0};
    bool moved = false;
    if (Held(input, KEY_RIGHT, KEY_JOY_RIGHT)) {
        steering.x += 0.031f;
        moved = true;
    }
    if (Held(input, KEY_LEFT, KEY_JOY_LEFT)) {
        steering.x -= 0.03f;
        moved = true;
    }
    if (Held(input, KEY_UP, KEY_JOY_UP)) {
        steering.y += 0.031f;
        moved = true;
    }
    if (Held(input, KEY_DOWN, KEY_JOY_DOWN)) {
        steering.y -= 0.03f;
        moved = true;
    }
    return moved;
}

double Clamp(double value, double low, double high) {
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

void MovePlayer() {
    playerVel = playerVel * 0.9f;
    playerPos += playerVel;
    playerPos.x = Clamp(playerPos.x, -21, 21);
    playerPos.y = Clamp(playerPos.y, -15.5, 15.5);
}

// Turned before firing, so a shot leaves along this step's heading.
void FollowMotion() {
    playerHeading += (Normalise(playerVel) - playerHeading) * 0.3f;
    playerHeading += Vector3(0.01f, 0.02f, 0);
    playerHeading = Normalise(playerHeading);
}

// One press gives one shot: the latch is set by the shot (and by NewGame) and
// cleared only while fire is up. During game over fire restarts the game instead,
// once the sign has shown long enough.
void FireOrRestart(const Controls& input) {
    bool fireHeld = Held(input, KEY_Z, KEY_JOY_BUTTON1);
    if (lives < 0) {
        respawnTimer = 300;
        if (frameCounter > RESTART_AFTER && fireHeld) NewGame();
        return;
    }
    if (!fireHeld) {
        fireLatch = 0;
        return;
    }
    if (fireLatch) return;
    fireLatch = 1;
    LaunchShot();
    PlayEffect(SOUND_SHOT, 37, 1);  // also when every shot is in flight
}

}  // namespace

bool UpdateWorld(Controls& input) {
    input.Poll();
    if (input.KeyDown(KEY_ESCAPE)) {
        LogEnable();
        return false;
    }
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
    if (moved) FollowMotion();
    frameCounter += 1;
    FireOrRestart(input);
    if (respawnTimer > 0) respawnTimer -= 1;
    CountDownWave();
    StepShockwaves();
    StepSparks();
    StepEntities();
    StepShots();
    StepGrid();
    return true;
}

}  // namespace classic
