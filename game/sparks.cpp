#include "game/sparks.h"

void AddSpark(Spark* table, int capacity, const Vector3& pos, const Vector3& vel, int32_t life,
              const Vector3& colour) {
    for (int i = 0; i < capacity; ++i) {
        Spark& spark = table[i];
        if (spark.life != 0) continue;
        spark.life = life;
        spark.pos = pos;
        spark.vel = vel;
        spark.colour = colour;
        return;
    }
}

void StepSparks(Spark* table, int capacity) {
    for (int i = 0; i < capacity; ++i) {
        Spark& spark = table[i];
        if (spark.life <= 0) continue;
        spark.pos += spark.vel;
        spark.vel = spark.vel * 0.97f;
        spark.life -= 1;
    }
}
