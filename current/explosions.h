#pragma once
#include <cstdint>

#include "game/vector3.h"

// Explosion kinds the rules use: 99 for a Hunter, a Gunner or the player, 50 for a
// Wanderer, 20 for an Orbiter. A kind-k explosion makes 2k sparks and a shockwave
// starting at age 100 - k, so bigger kinds ring longer and wider.
constexpr int32_t EXPLOSION_LARGE = 99;
constexpr int32_t EXPLOSION_MEDIUM = 50;
constexpr int32_t EXPLOSION_SMALL = 20;

// One shockwave (if a slot is free) and 2 × kind sparks at pos. The sparks are
// made even when the shockwave table is full.
void Explode(const Vector3& pos, int32_t kind);

// Ages every shockwave and adds its ring to this step's grid forces.
void StepShockwaves();
