#pragma once
#include "game/sparks.h"
#include "game/vector3.h"

// `count` orange sparks of an explosion at pos into an edition's spark table, as
// both editions make them: each dealt by the generator in four draws (speed, dy,
// dx, life), drawn even when the full table drops the spark.
void AddExplosionSparks(Spark* table, int capacity, const Vector3& pos, int count);
