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

void WritePlayerMotion(TraceLine& line, const Vector3& pos, const Vector3& vel, const Vector3& heading) {
    line.Key("playerPos").Vector(pos);
    line.Key("playerVel").Vector(vel);
    line.Key("playerHeading").Vector(heading);
}

void WriteIntFields(TraceLine& line, std::initializer_list<IntField> fields) {
    for (const IntField& field : fields) line.Key(field.key).Int(field.value);
}

void WriteTables(TraceLine& line, const Shot* shots, int shotCapacity, void (*writeEntities)(TraceLine&),
                 void (*writeShockwaves)(TraceLine&), const Spark* sparks, int sparkCapacity) {
    WriteShots(line, shots, shotCapacity);
    writeEntities(line);
    writeShockwaves(line);
    WriteSparkSummary(line, sparks, sparkCapacity);
    WriteGridHash(line);
}
