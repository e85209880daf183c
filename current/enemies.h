#pragma once
#include <cstdint>

#include "game/vector3.h"

// Creates an entity of `type` at `pos` in the first free slot and returns its
// index. Returns -1 when the table is full or the type has no behaviour (nothing
// is created then); callers must not touch any slot in that case.
int SpawnEntity(const Vector3& pos, int32_t type);

// One wave: level - kw entities (at least one) on the radius-30 circle.
void SpawnWave();

// Sets the entity's looks and velocity for this step; true when it is hostile.
// May set its life to 0 (an Orbiter whose Hunter is gone).
bool RunBehaviour(int index);

// Advances every live entity in index order: behaviour, hit flash, contact with
// the player, then movement. An entity spawned into a later slot during the pass
// is updated in the same pass.
void StepEntities();
