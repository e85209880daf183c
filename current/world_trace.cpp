#include "current/world_trace.h"

#include "current/world.h"

namespace {

// "entities": [index, type, texture, life, counter, parent, flash, pos xyz,
// vel xyz, dir xyz, scale, colour rgb] of each live entity.
void WriteEntities(TraceLine& line) {
    WriteLiveRows(
        line, "entities", entities, ENTITY_CAPACITY, [](const Entity& e) { return e.life != 0; },
        [&](const Entity& e) {
            line.Int(e.type).Int(e.texture).Int(e.life).Int(e.counter).Int(e.parent).Int(e.flash);
            line.VectorItems(e.pos).VectorItems(e.vel).VectorItems(e.dir).Double(e.scale).VectorItems(
                e.colour);
        });
}

// "shockwaves": [index, age, startAge, pos xyz] of each running shockwave.
void WriteShockwaves(TraceLine& line) {
    WriteLiveRows(
        line, "shockwaves", shockwaves, SHOCKWAVE_CAPACITY, [](const Shockwave& w) { return w.age != 0; },
        [&](const Shockwave& w) { line.Int(w.age).Int(w.startAge).VectorItems(w.pos); });
}

}  // namespace

void WriteWorldState(TraceLine& line) {
    WritePlayerMotion(line, playerPos, playerVel, playerHeading);
    line.Key("steerInput").Vector(steerInput);
    WriteIntFields(line, {{"controlMode", controlMode},
                          {"lives", lives},
                          {"respawnTimer", respawnTimer},
                          {"score", score},
                          {"level", level},
                          {"fireCooldown", fireCooldown},
                          {"frameCounter", frameCounter},
                          {"waveTimer", waveTimer},
                          {"gridForceCount", gridForceCount}});
    WriteTables(line, shots, SHOT_CAPACITY, WriteEntities, WriteShockwaves, sparks, SPARK_CAPACITY);
}

void WriteWorldDetail(TraceLine& line, const TraceOptions& options) {
    WriteDetail(line, options, sparks, SPARK_CAPACITY);
}
