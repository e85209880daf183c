#include "classic/world_trace.h"

#include "classic/world.h"

namespace classic {

namespace {

void WriteEntities(TraceLine& line) {
    WriteLiveRows(
        line, "entities", entities, ENTITY_CAPACITY, [](const Entity& e) { return e.life != 0; },
        [&](const Entity& e) {
            line.Int(e.type).Int(e.texture).Int(e.life).VectorItems(e.pos).VectorItems(e.vel);
            line.VectorItems(e.dir).Double(e.scale).VectorItems(e.colour);
        });
}

void WriteShockwaves(TraceLine& line) {
    WriteLiveRows(
        line, "shockwaves", shockwaves, SHOCKWAVE_CAPACITY, [](const Shockwave& w) { return w.age != 0; },
        [&](const Shockwave& w) { line.Int(w.age).VectorItems(w.pos); });
}

}  // namespace

void WriteWorldState(TraceLine& line) {
    WritePlayerMotion(line, playerPos, playerVel, playerHeading);
    WriteIntFields(line, {{"lives", lives},
                          {"respawnTimer", respawnTimer},
                          {"score", score},
                          {"level", level},
                          {"frameCounter", frameCounter},
                          {"waveTimer", waveTimer},
                          {"waveCount", waveCount},
                          {"fireLatch", fireLatch},
                          {"gridForceCount", gridForceCount}});
    WriteTables(line, shots, SHOT_CAPACITY, WriteEntities, WriteShockwaves, sparks, SPARK_CAPACITY);
}

void WriteWorldDetail(TraceLine& line, const TraceOptions& options) {
    WriteDetail(line, options, sparks, SPARK_CAPACITY);
}

}  // namespace classic
