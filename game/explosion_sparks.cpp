#include "game/explosion_sparks.h"

#include "game/random.h"

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

}  // namespace

void AddExplosionSparks(Spark* table, int capacity, const Vector3& pos, int count) {
    for (int i = 0; i < count; ++i) {
        ExplosionSpark spark = DrawExplosionSpark();
        AddSpark(table, capacity, pos, spark.vel, spark.life, EXPLOSION_SPARK_COLOUR);
    }
}
