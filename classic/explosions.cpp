#include "classic/explosions.h"

#include "classic/grid.h"
#include "classic/world.h"
#include "game/explosions.h"
#include "game/random.h"

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

void AddExplosionSpark(const Vector3& pos) {
    ExplosionSpark spark = DrawExplosionSpark();
    classic::AddSpark(pos, spark.vel, spark.life, EXPLOSION_SPARK_COLOUR);
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
