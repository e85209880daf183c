#include "game/world_trace.h"

#include "game/grid_tables.h"

void WriteGridHash(TraceLine& line) {
    Fnv1a hash;
    for (int n = 0; n < gridNodeCount; ++n) {
        hash.AddVector(gridPos[n]);
        hash.AddVector(gridVel[n]);
    }
    line.Key("grid").String(hash.Hex());
}

void WriteGridNodes(TraceLine& line) {
    line.Key("gridPos").BeginArray();
    for (int n = 0; n < gridNodeCount; ++n) line.Vector(gridPos[n]);
    line.EndArray();
    line.Key("gridVel").BeginArray();
    for (int n = 0; n < gridNodeCount; ++n) line.Vector(gridVel[n]);
    line.EndArray();
}
