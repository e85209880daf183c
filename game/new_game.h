#pragma once
#include "game/shot_launch.h"
#include "game/sparks.h"

// A new game's tables as both editions clear them: every shot, shockwave, entity
// and spark gone. The first three tables share a capacity and are cleared in one
// pass; only the activity field of each record is touched.
template <typename ShockwaveRecord, typename EntityRecord>
void ClearGameTables(Shot* shots, ShockwaveRecord* shockwaves, EntityRecord* entities, int capacity,
                     Spark* sparks, int sparkCapacity) {
    for (int i = 0; i < capacity; ++i) {
        shots[i].active = 0;
        shockwaves[i].age = 0;
        entities[i].life = 0;
    }
    for (int i = 0; i < sparkCapacity; ++i) sparks[i].life = 0;
}
