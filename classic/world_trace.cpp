#include "classic/world_trace.h"

#include "classic/world.h"
#include "game/grid_tables.h"

namespace classic {

namespace {

void WriteEntities(TraceLine& line) {
    line.Key("entities").BeginArray();
    for (int i = 0; i < ENTITY_CAPACITY; ++i) {
        const Entity& e = entities[i];
        if (e.life == 0) continue;
        line.BeginArray().Int(i).Int(e.type).Int(e.texture).Int(e.life);
        line.VectorItems(e.pos).VectorItems(e.vel).VectorItems(e.dir);
        line.Double(e.scale).VectorItems(e.colour).EndArray();
    }
    line.EndArray();
}

void WriteShockwaves(TraceLine& line) {
    line.Key("shockwaves").BeginArray();
    for (int i = 0; i < SHOCKWAVE_CAPACITY; ++i) {
        const Shockwave& w = shockwaves[i];
        if (w.age == 0) continue;
        line.BeginArray().Int(i).Int(w.age).VectorItems(w.pos).EndArray();
    }
    line.EndArray();
}

}  // namespace

void WriteWorldState(TraceLine& line) {
    line.Key("playerPos").Vector(playerPos);
    line.Key("playerVel").Vector(playerVel);
    line.Key("playerHeading").Vector(playerHeading);
    line.Key("lives").Int(lives);
    line.Key("respawnTimer").Int(respawnTimer);
    line.Key("score").Int(score);
    line.Key("level").Int(level);
    line.Key("frameCounter").Int(frameCounter);
    line.Key("waveTimer").Int(waveTimer);
    line.Key("waveCount").Int(waveCount);
    line.Key("fireLatch").Int(fireLatch);
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

}  // namespace classic
