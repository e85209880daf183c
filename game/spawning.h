#pragma once
#include <cstdint>

#include "game/vector3.h"

// Where both editions' entities come from, each edition into its own table.

// The first free slot (life 0) of an entity table, or -1 when every slot is taken.
template <typename EntityRecord>
int FirstFreeEntity(const EntityRecord* table, int capacity) {
    for (int i = 0; i < capacity; ++i) {
        if (table[i].life == 0) return i;
    }
    return -1;
}

// The velocity of an entity entering at pos: inwards, past a point near the centre
// that two draws (ky first, then kx) jitter, faster at higher levels.
Vector3 AimInwards(const Vector3& pos, int32_t level);
