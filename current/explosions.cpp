#include "game/explosions.h"

#include "game/grid.h"
#include "game/random.h"
#include "game/world.h"

namespace {

const Vector3 EXPLOSION_SPARK_COLOUR = {1.0, 0.7f, 0.2f};

struct ExplosionSpark {
    Vector3 vel;
    int32_t life;
};

// The draw order (speed, dy, dx, life) is part of the rules. Draws are widened to
// double before meeting a float constant: int × float would round to float.
ExplosionSpark DrawExplosionSpark() {
    double speed = static_cast<double>(GameRandScaled(RAND_SCALE_101)) * 0.005f;
    int dy = GameRandScaled(RAND_SCALE_101) - 50;
    int dx = GameRandScaled(RAND_SCALE_101) - 50;
    Vector3 direction = Normalise({static_cast<double>(dx), static_cast<double>(dy), 0});
    int32_t life = 50 + GameRandScaled(RAND_SCALE_51);
    return {direction * speed, life};
}

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

void AddExplosionSparks(Spark* table, int capacity, const Vector3& pos, int count) {
    for (int i = 0; i < count; ++i) {
        ExplosionSpark spark = DrawExplosionSpark();
        AddSpark(table, capacity, pos, spark.vel, spark.life, EXPLOSION_SPARK_COLOUR);
    }
}

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
