#pragma once
#include <cstdint>

#include "game/vector3.h"

// The spring grid: a sheet of gridRows × gridColumns nodes pulled back to rest,
// pushed by shots and dragged by explosion rings. Built once, stepped once per
// world step, never reset (NewGame leaves it alone).

// Lays out the nodes at their rest positions and the two triangles per cell.
void BuildGrid();

// Appends one force for this step's grid step. The table holds GRID_FORCE_CAPACITY;
// a force beyond that is dropped, so a crowded step never overruns it.
void AddGridForce(const Vector3& pos, const Vector3& vel, int32_t ring, float ringStrength, float push,
                  float drag);

// Advances every node by one step under this step's forces.
void StepGrid();
