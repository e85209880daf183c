#pragma once
#include <cstdint>

#include "game/grid_terms.h"
#include "game/vector3.h"

// This edition's step of the shared spring grid: its force table, a smoothing pass
// and its node rule.

// Appends one force to this edition's table (GRID_FORCE_CAPACITY forces); beyond
// that it is dropped.
void AddGridForce(const Vector3& pos, const Vector3& vel, int32_t ring, float ringStrength, float push,
                  float drag);

// The force terms of gridForces[0, count) worked out once.
void PrepareGridForceTerms(GridForceTerms* terms, int count);

// Smooths the node velocities, then advances every node by one step under this
// step's forces.
void StepGrid();
