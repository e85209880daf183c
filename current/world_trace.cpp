#include "current/world_trace.h"

#include "current/world.h"

namespace {

// "entities": [index, type, texture, life, counter, parent, flash, pos xyz,
// vel xyz, dir xyz, scale, colour rgb] of each live entity.
void WriteEntities(TraceLine& line) {
    line.Key("entities").BeginArray();
    for (int i = 0; i < ENTITY_CAPACITY; ++i) {
        const Entity& e = entities[i];
        if (e.life == 0) continue;
        line.BeginArray().Int(i).Int(e.type).Int(e.texture).Int(e.life).Int(e.counter);
        line.Int(e.parent).Int(e.flash).VectorItems(e.pos).VectorItems(e.vel).VectorItems(e.dir);
        line.Double(e.scale).VectorItems(e.colour).EndArray();
    }
    line.EndArray();
}

// "shockwaves": [index, age, startAge, pos xyz] of each running shockwave.
void WriteShockwaves(TraceLine& line) {
    line.Key("shockwaves").BeginArray();
    for (int i = 0; i < SHOCKWAVE_CAPACITY; ++i) {
        const Shockwave& w = shockwaves[i];
        if (w.age == 0) continue;
        line.BeginArray().Int(i).Int(w.age).Int(w.startAge).VectorItems(w.pos).EndArray();
    }
    line.EndArray();
}

}  // namespace

void WriteWorldState(TraceLine& line) {
    line.Key("playerPos").Vector(playerPos);
    line.Key("playerVel").Vector(playerVel);
    line.Key("playerHeading").Vector(playerHeading);
    line.Key("steerInput").Vector(steerInput);
    line.Key("controlMode").Int(controlMode);
    line.Key("lives").Int(lives);
    line.Key("respawnTimer").Int(respawnTimer);
    line.Key("score").Int(score);
    line.Key("level").Int(level);
    line.Key("fireCooldown").Int(fireCooldown);
    line.Key("frameCounter").Int(frameCounter);
    line.Key("waveTimer").Int(waveTimer);
    line.Key("gridForceCount").Int(gridForceCount);
    WriteShots(line, shots, SHOT_CAPACITY);
    WriteEntities(line);
    WriteShockwaves(line);
    WriteSparkSummary(line, sparks, SPARK_CAPACITY);
    WriteGridHash(line);
}

void WriteWorldDetail(TraceLine& line, const TraceOptions& options) {
    WriteDetail(line, options, sparks, SPARK_CAPACITY);
}
