#include "game/steering.h"

#include "base/log.h"

namespace {
const int32_t RESTART_AFTER = 75;  // game-over steps before fire restarts
}  // namespace

bool Held(const Controls& input, int key, int joystickSlot) {
    return input.KeyDown(key) || input.KeyDown(joystickSlot);
}

bool PollUnlessEscape(Controls& input) {
    input.Poll();
    if (!input.KeyDown(KEY_ESCAPE)) return true;
    LogEnable();
    return false;
}

bool FireHeld(const Controls& input) { return Held(input, KEY_Z, KEY_JOY_BUTTON1); }

bool RestartOnFire(bool fireHeld, int32_t lives, int32_t& respawnTimer, int32_t frameCounter,
                   void (*newGame)()) {
    if (lives >= 0) return false;
    respawnTimer = 300;
    if (frameCounter > RESTART_AFTER && fireHeld) newGame();
    return true;
}

bool AddSteeringKeys(const Controls& input, Vector3& steering) {
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

void KeepInArena(Vector3& pos) {
    pos.x = Clamp(pos.x, -21, 21);
    pos.y = Clamp(pos.y, -15.5, 15.5);
}

void FollowMotion(Vector3& heading, const Vector3& velocity) {
    heading += (Normalise(velocity) - heading) * 0.3f;
    heading += Vector3(0.01f, 0.02f, 0);
    heading = Normalise(heading);
}
