#include "tools/sim_classic.h"

#include "classic/setup.h"
#include "classic/update.h"
#include "classic/world.h"
#include "game/sound_effects.h"
#include "game/world.h"  // the shared grid tables

namespace classic {

namespace {

void WriteShots(TraceLine& line) {
    line.Key("shots").BeginArray();
    for (int i = 0; i < SHOT_CAPACITY; ++i) {
        const Shot& s = shots[i];
        if (s.active == 0) continue;
        line.BeginArray().Int(i).VectorItems(s.pos).VectorItems(s.vel).EndArray();
    }
    line.EndArray();
}

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

void WriteState(TraceLine& line) {
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
    WriteShots(line);
    WriteEntities(line);
    WriteShockwaves(line);
    WriteSparkSummary(line, sparks, SPARK_CAPACITY);
    WriteGridHash(line);
}

void WriteDetail(TraceLine& line, const SimOptions& options) {
    if (options.grid) {
        line.Key("gridPos").BeginArray();
        for (int n = 0; n < ::gridNodeCount; ++n) line.Vector(::gridPos[n]);
        line.EndArray();
        line.Key("gridVel").BeginArray();
        for (int n = 0; n < ::gridNodeCount; ++n) line.Vector(::gridVel[n]);
        line.EndArray();
    }
    if (options.sparks) {
        line.Key("sparkList").BeginArray();
        for (int i = 0; i < SPARK_CAPACITY; ++i) {
            const Spark& s = sparks[i];
            if (s.life <= 0) continue;
            line.BeginArray().Int(i).Int(s.life).VectorItems(s.pos).VectorItems(s.vel);
            line.VectorItems(s.colour).EndArray();
        }
        line.EndArray();
    }
}

}  // namespace

}  // namespace classic

const SimEdition classicSimEdition = {
    "classic",        classic::SetUpWorld, classic::UpdateWorld,
    SetSoundObserver, classic::WriteState, classic::WriteDetail,
};
