#pragma once
#include <cstdint>

#include "game/vector3.h"

// The player's shots as both editions launch them; each edition holds its own
// table and moves its shots by its own rules. A record is in flight while active.
struct Shot {
    uint8_t active;
    Vector3 pos;
    Vector3 vel;
};

// Puts a shot in the first free slot of the table, leaving `from` along `heading`
// at half a unit per step. Nothing happens when all are in flight.
void LaunchShot(Shot* table, int capacity, const Vector3& from, const Vector3& heading);
