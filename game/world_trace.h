#pragma once
#include <cstdint>
#include <initializer_list>

#include "base/trace_line.h"
#include "game/shot_launch.h"
#include "game/sparks.h"
#include "game/vector3.h"

// The world as trace fields: what vortane-sim prints after each step, and what the
// golden traces hold. The pieces both editions write the same way are templates
// over the edition's records; each edition lists its own fields in order
// in its own folder.

// The optional detail lists after the state.
struct TraceOptions {
    bool grid = false;    // "gridPos", "gridVel": every node's position and velocity
    bool sparks = false;  // "sparkList": every live spark
};

// "key": [index, ...] of each record of the table that is `live`, in index order;
// `row` writes the items after the index.
template <typename Record, typename Live, typename Row>
void WriteLiveRows(TraceLine& line, const char* key, const Record* table, int capacity, Live live, Row row) {
    line.Key(key).BeginArray();
    for (int i = 0; i < capacity; ++i) {
        if (!live(table[i])) continue;
        line.BeginArray().Int(i);
        row(table[i]);
        line.EndArray();
    }
    line.EndArray();
}

// The player's motion as both editions' lines begin: "playerPos", "playerVel",
// "playerHeading".
void WritePlayerMotion(TraceLine& line, const Vector3& pos, const Vector3& vel, const Vector3& heading);

// "key": value of each integer field, in the order given.
struct IntField {
    const char* key;
    int32_t value;
};
void WriteIntFields(TraceLine& line, std::initializer_list<IntField> fields);

// The tables after an edition's scalars, as both write them: "shots", the
// edition's own "entities" and "shockwaves", "sparks" and "grid".
void WriteTables(TraceLine& line, const Shot* shots, int shotCapacity, void (*writeEntities)(TraceLine&),
                 void (*writeShockwaves)(TraceLine&), const Spark* sparks, int sparkCapacity);

// "shots": [index, pos xyz, vel xyz] of each active shot.
template <typename ShotRecord>
void WriteShots(TraceLine& line, const ShotRecord* shots, int capacity) {
    line.Key("shots").BeginArray();
    for (int i = 0; i < capacity; ++i) {
        const ShotRecord& s = shots[i];
        if (s.active == 0) continue;
        line.BeginArray().Int(i).VectorItems(s.pos).VectorItems(s.vel).EndArray();
    }
    line.EndArray();
}

// "sparks": [live count, hash]; the hash covers each live record's index, life,
// then pos, vel and colour.
template <typename SparkRecord>
void WriteSparkSummary(TraceLine& line, const SparkRecord* sparks, int capacity) {
    Fnv1a hash;
    int live = 0;
    for (int i = 0; i < capacity; ++i) {
        const SparkRecord& s = sparks[i];
        if (s.life <= 0) continue;
        live += 1;
        hash.AddInt32(i);
        hash.AddInt32(s.life);
        hash.AddVector(s.pos);
        hash.AddVector(s.vel);
        hash.AddVector(s.colour);
    }
    line.Key("sparks").BeginArray().Int(live).String(hash.Hex()).EndArray();
}

// "sparkList": [index, life, pos xyz, vel xyz, colour rgb] of each live spark.
template <typename SparkRecord>
void WriteSparkList(TraceLine& line, const SparkRecord* sparks, int capacity) {
    line.Key("sparkList").BeginArray();
    for (int i = 0; i < capacity; ++i) {
        const SparkRecord& s = sparks[i];
        if (s.life <= 0) continue;
        line.BeginArray().Int(i).Int(s.life).VectorItems(s.pos).VectorItems(s.vel);
        line.VectorItems(s.colour).EndArray();
    }
    line.EndArray();
}

// "grid": a hash of every node's position and velocity (the grid both editions share).
void WriteGridHash(TraceLine& line);

// "gridPos" and "gridVel": every node of the shared grid.
void WriteGridNodes(TraceLine& line);

// The detail lists the options ask for: the grid's nodes, then the sparks.
template <typename SparkRecord>
void WriteDetail(TraceLine& line, const TraceOptions& options, const SparkRecord* sparks, int capacity) {
    if (options.grid) WriteGridNodes(line);
    if (options.sparks) WriteSparkList(line, sparks, capacity);
}
