#pragma once
#include <cstdint>

#include "current/world.h"

// The current edition's entity kinds, one row each: what the spawn, the step, a
// shot's strike, the drawing (through the entity's picture) and the trace (through
// the entity's fields) need of a kind. A new kind is a number in EntityType, a row
// and its behaviour in enemy_kinds.cpp, and its picture in assets/manifest.txt.
// How a kind's set-up or step puts a new entity into the table (SpawnEntity): the
// table is read by the spawning, so it is handed in rather than included.
using EntitySpawner = int (*)(const Vector3& pos, int32_t type);

struct EnemyKind {
    int32_t type;                                         // the number its entities carry (EntityType)
    int32_t picture;                                      // its sprite slot, set at every step
    int32_t life;                                         // hits it takes, set at spawn; 0: never spawned
    void (*spawn)(int index, EntitySpawner spawnEntity);  // its own set-up once its life is set, or nullptr
    void (*step)(Entity& e, EntitySpawner spawnEntity);   // its steering and looks for one step
    bool hostile;                                         // kills the player on contact (else is collected)
    int32_t score;                                        // what shooting it down adds
    int32_t explosion;      // the explosion it goes up in; 0: cannot be shot down
    int32_t explosionNote;  // the note of that explosion's sound
    bool leavesDropping;    // its slot turns into a Dropping; else it just goes
};

// The row of `type`, or nullptr for a number no kind has.
const EnemyKind* FindEnemyKind(int32_t type);
