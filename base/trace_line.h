#pragma once
#include <cstdint>
#include <string>

// Building blocks of the world's JSON-lines trace (vortane-sim, the golden and soak
// tests). Every value is appended to a std::string; doubles are written with 17
// significant digits so they read back to the same double. A "vector" is anything
// with double fields x, y and z.

// A JSON object on one line: Key() writes the separator and the quoted name.
class TraceLine {
public:
    TraceLine& Key(const char* name);
    TraceLine& Int(int64_t value);
    TraceLine& Bool(bool value);
    TraceLine& Double(double value);
    template <typename V>
    TraceLine& Vector(const V& v) {  // [x, y, z]
        BeginArray();
        VectorItems(v);
        return EndArray();
    }
    template <typename V>
    TraceLine& VectorItems(const V& v) {  // x, y, z as three more array items
        return Double(v.x).Double(v.y).Double(v.z);
    }
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
    template <typename V>
    void AddVector(const V& v) {  // x, y, z
        AddDouble(v.x);
        AddDouble(v.y);
        AddDouble(v.z);
    }
    uint64_t Value() const { return hash_; }
    std::string Hex() const;  // 16 lower-case hex digits

private:
    void AddByte(uint8_t byte);
    uint64_t hash_ = 14695981039346656037ull;
};
