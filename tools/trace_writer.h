#pragma once
#include <cstdint>
#include <string>

#include "game/vector3.h"

// Building blocks of the simulator's JSON-lines trace. Every value is appended to
// a std::string; doubles are written with 17 significant digits so they read back
// to the same double.

// A JSON object on one line: Key() writes the separator and the quoted name.
class TraceLine {
public:
    TraceLine& Key(const char* name);
    TraceLine& Int(int64_t value);
    TraceLine& Bool(bool value);
    TraceLine& Double(double value);
    TraceLine& Vector(const Vector3& v);          // [x, y, z]
    TraceLine& VectorItems(const Vector3& v);     // x, y, z as three more array items
    TraceLine& String(const std::string& value);  // no escaping: plain names only
    TraceLine& BeginArray();
    TraceLine& EndArray();
    TraceLine& Raw(const std::string& text);
    // Closes the object and returns the finished line, newline included.
    std::string Finish();

private:
    void Separate();
    std::string text_ = "{";
    bool needComma_ = false;
};

// 64-bit FNV-1a over little-endian bytes, independent of the host's byte order.
class Fnv1a {
public:
    void AddInt32(int32_t value);
    void AddDouble(double value);
    void AddVector(const Vector3& v);  // x, y, z
    uint64_t Value() const { return hash_; }
    std::string Hex() const;  // 16 lower-case hex digits

private:
    void AddByte(uint8_t byte);
    uint64_t hash_ = 14695981039346656037ull;
};

// "sparks": [live count, hash]; the hash covers each live record's index, life,
// then pos, vel and colour. Both editions' spark records have these fields.
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

// "grid": a hash of every node's position and velocity (the grid both editions share).
void WriteGridHash(TraceLine& line);
