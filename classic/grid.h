#pragma once
#include <cstdint>

#include "game/vector3.h"

// The earlier edition's forces on the shared spring grid (built by BuildGrid of
// game/grid.h) and its own grid step: no smoothing pass, a softer ring, a stiffer
// spring and lighter damping than the current edition's.
namespace classic {

// Appends one force to this edition's table (AppendGridForce of game/grid.h).
void AddGridForce(const Vector3& pos, const Vector3& vel, int32_t ring, float push, float drag);

// Advances every node of the shared grid by one step under this step's forces.
void StepGrid();

}  // namespace classic
