#include "current/explosions.h"

#include "current/grid.h"
#include "current/world.h"
#include "game/explosion_sparks.h"

namespace {

void StartShockwave(const Vector3& pos, int32_t kind) {
    for (Shockwave& wave : shockwaves) {
        if (wave.age != 0) continue;
        wave.startAge = 100 - kind;
        wave.age = 100 - kind;
        wave.pos = pos;
        return;
    }
}

}  // namespace

void Explode(const Vector3& pos, int32_t kind) {
    // Copied first: pos may be a field the sparks or the shockwave are written over.
    Vector3 centre = pos;
    StartShockwave(centre, kind);
    AddExplosionSparks(sparks, SPARK_CAPACITY, centre, 2 * kind);
}

void StepShockwaves() {
    for (Shockwave& wave : shockwaves) {
        if (wave.age <= 0) continue;
        wave.age += 1;
        // Strength falls linearly to zero at age 100; on the last step (age 101)
        // it is slightly negative and pulls the band inwards once.
        float strength = static_cast<float>((100 - wave.age) * 1.5 / (100 - wave.startAge));
        AddGridForce(wave.pos, {0, 0, 0}, wave.age - wave.startAge, strength, 0, 0);
        if (wave.age > 100) wave.age = 0;
    }
}
