#pragma once
#include <cstdint>

#include "game/vector3.h"

// Sparks, the same in both editions; each edition holds its own table of its own
// size. A record is alive while life > 0.
struct Spark {
    int32_t life;
    Vector3 pos;
    Vector3 vel;
    Vector3 colour;
};

// Puts a spark in the first free slot of the table; dropped silently when all are
// alive.
void AddSpark(Spark* table, int capacity, const Vector3& pos, const Vector3& vel, int32_t life,
              const Vector3& colour);

// Moves every live spark of the table; sparks slow down and die of age.
void StepSparks(Spark* table, int capacity);
