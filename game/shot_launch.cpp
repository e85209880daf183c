#include "game/shot_launch.h"

namespace {
const double SHOT_SPEED = 0.5;
}  // namespace

void LaunchShot(Shot* table, int capacity, const Vector3& from, const Vector3& heading) {
    for (int i = 0; i < capacity; ++i) {
        Shot& shot = table[i];
        if (shot.active != 0) continue;
        shot.active = 1;
        shot.pos = from;
        shot.vel = heading * SHOT_SPEED;
        return;
    }
}
