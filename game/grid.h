#pragma once
#include <cstdint>

#include "game/vector3.h"

// The spring grid both editions share: a sheet of gridRows × gridColumns nodes
// pulled back to rest, pushed by shots and dragged by explosion rings. Built once,
// stepped once per world step by the edition's rules, never reset (NewGame leaves it
// alone).

// Lays out the nodes at their rest positions and the two triangles per cell.
void BuildGrid();

// Appends `force` to an edition's force table (either edition's records) for this
// step's grid step; beyond `capacity` it is dropped, so a crowded step never
// overruns the table.
template <typename Force>
void AppendGridForce(Force* table, int32_t& count, int capacity, const Force& force) {
    if (count >= capacity) return;
    table[count] = force;
    count += 1;
}
