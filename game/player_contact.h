#pragma once
#include <cstdint>

#include "game/vector3.h"

// The player's side of touching an entity, the same in both editions over each
// edition's own scalars: a hostile entity kills an unprotected player, a Dropping
// is collected.

// The player's part of an edition's world and the edition's contact constants.
struct PlayerContact {
    Vector3& pos;
    Vector3& vel;
    int32_t& lives;
    int32_t& respawnTimer;
    int32_t& score;
    int32_t& frameCounter;
    double killDistance;                       // a hostile entity this close kills
    void (*explodePlayer)(const Vector3& at);  // the edition's explosion for a death
};

// Tested before the entity moves, with the entity as it is even if its behaviour
// has just freed it. A death or a collection frees the entity (life 0).
void TestPlayerContact(const PlayerContact& player, int32_t& entityLife, const Vector3& entityPos,
                       bool hostile);
