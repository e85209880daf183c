#include "classic/explosions.h"

#include "classic/grid.h"
#include "classic/world.h"
#include "game/explosion_sparks.h"

namespace classic {

namespace {

void StartShockwave(const Vector3& pos) {
    for (Shockwave& wave : shockwaves) {
        if (wave.age != 0) continue;
        wave.age = 1;
        wave.pos = pos;
        return;
    }
}

}  // namespace

void Explode(const Vector3& pos) {
    // Copied first: pos may be a field the explosion writes over.
    Vector3 centre = pos;
    StartShockwave(centre);
    AddExplosionSparks(sparks, SPARK_CAPACITY, centre, EXPLOSION_SPARKS);
}

void StepShockwaves() {
    for (Shockwave& wave : shockwaves) {
        if (wave.age <= 0) continue;
        wave.age += 1;
        AddGridForce(wave.pos, {0, 0, 0}, wave.age, 0, 0);
        if (wave.age > 100) wave.age = 0;
    }
}

}  // namespace classic
