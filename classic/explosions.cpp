#include "classic/explosions.h"

#include "classic/grid.h"
#include "classic/world.h"
#include "game/random.h"

namespace classic {

namespace {

const Vector3 SPARK_COLOUR = {1.0, 0.7f, 0.2f};

void StartShockwave(const Vector3& pos) {
    for (Shockwave& wave : shockwaves) {
        if (wave.age != 0) continue;
        wave.age = 1;
        wave.pos = pos;
        return;
    }
}

// The draw order (speed, dy, dx, life) is part of the rules. Draws are widened to
// double before meeting a float constant: int × float would round to float.
void AddExplosionSpark(const Vector3& pos) {
    double speed = static_cast<double>(GameRandScaled(RAND_SCALE_101)) * 0.005f;
    int dy = GameRandScaled(RAND_SCALE_101) - 50;
    int dx = GameRandScaled(RAND_SCALE_101) - 50;
    Vector3 direction = Normalise({static_cast<double>(dx), static_cast<double>(dy), 0});
    int32_t life = 50 + GameRandScaled(RAND_SCALE_51);
    AddSpark(pos, direction * speed, life, SPARK_COLOUR);
}

}  // namespace

void Explode(const Vector3& pos) {
    // Copied first: pos may be a field the explosion writes over.
    Vector3 centre = pos;
    StartShockwave(centre);
    for (int i = 0; i < EXPLOSION_SPARKS; ++i) AddExplosionSpark(centre);
}

void AddSpark(const Vector3& pos, const Vector3& vel, int32_t life, const Vector3& colour) {
    for (Spark& spark : sparks) {
        if (spark.life != 0) continue;
        spark.life = life;
        spark.pos = pos;
        spark.vel = vel;
        spark.colour = colour;
        return;
    }
}

void StepShockwaves() {
    for (Shockwave& wave : shockwaves) {
        if (wave.age <= 0) continue;
        wave.age += 1;
        AddGridForce(wave.pos, {0, 0, 0}, wave.age, 0, 0);
        if (wave.age > 100) wave.age = 0;
    }
}

void StepSparks() {
    for (Spark& spark : sparks) {
        if (spark.life <= 0) continue;
        spark.pos += spark.vel;
        spark.vel = spark.vel * 0.97f;
        spark.life -= 1;
    }
}

}  // namespace classic
