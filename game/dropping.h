#pragma once
#include <cstdint>

#include "game/vector3.h"

// What a destroyed enemy leaves behind, the same in both editions: it pulses while
// it lives its 200 steps and fades over the last 25, drifting to a stop.

// Its colour at `life` steps left.
Vector3 DroppingColour(int32_t life);

// One step of a Dropping in either edition's entity table, drawn with `texture`.
template <typename EntityRecord>
void StepDropping(EntityRecord& e, int32_t texture) {
    e.dir = {1, 0, 0};
    e.texture = texture;
    e.life -= 1;
    e.scale = 1.0f;
    e.colour = DroppingColour(e.life);
    e.vel = e.vel * 0.99f;
}
