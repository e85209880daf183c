#pragma once
#include <cstdint>

#include "game/vector3.h"

namespace classic {

constexpr int EXPLOSION_SPARKS = 250;

// One explosion size for everything: a shockwave from age 1 (if a slot is free)
// and 250 sparks at pos. The sparks are made even when the shockwave table is full.
void Explode(const Vector3& pos);

// Puts a spark in the first free slot; dropped silently when all are alive.
void AddSpark(const Vector3& pos, const Vector3& vel, int32_t life, const Vector3& colour);

// Ages every shockwave and adds its ring (radius age × 0.5) to this step's grid forces.
void StepShockwaves();

// Moves every live spark; sparks slow down and die of age.
void StepSparks();

}  // namespace classic
