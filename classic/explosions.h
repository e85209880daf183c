#pragma once
#include <cstdint>

#include "game/vector3.h"

namespace classic {

constexpr int EXPLOSION_SPARKS = 250;

// One explosion size for everything: a shockwave from age 1 (if a slot is free)
// and 250 sparks at pos. The sparks are made even when the shockwave table is full.
void Explode(const Vector3& pos);

// Ages every shockwave and adds its ring (radius age × 0.5) to this step's grid forces.
void StepShockwaves();

}  // namespace classic
