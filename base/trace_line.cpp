#include "base/trace_line.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>

TraceLine& TraceLine::Key(const char* name) {
    Separate();
    text_ += '"';
    text_ += name;
    text_ += "\":";
    needComma_ = false;
    return *this;
}

void TraceLine::Separate() {
    if (needComma_) text_ += ',';
    needComma_ = true;
}

TraceLine& TraceLine::Int(int64_t value) {
    Separate();
    text_ += std::to_string(value);
    return *this;
}

TraceLine& TraceLine::Bool(bool value) {
    Separate();
    text_ += value ? "true" : "false";
    return *this;
}

// "%.17g" round-trips every finite double and prints integral values as plain
// numbers ("2", "-0"), which JSON reads as numbers. JSON has no infinities or
// NaN; they would mean a broken rule, and show as null rather than break the line.
TraceLine& TraceLine::Double(double value) {
    Separate();
    if (!std::isfinite(value)) {
        text_ += "null";
        return *this;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    text_ += buffer;
    return *this;
}

TraceLine& TraceLine::String(const std::string& value) {
    Separate();
    text_ += '"' + value + '"';
    return *this;
}

TraceLine& TraceLine::BeginArray() {
    Separate();
    text_ += '[';
    needComma_ = false;
    return *this;
}

TraceLine& TraceLine::EndArray() {
    text_ += ']';
    needComma_ = true;
    return *this;
}

TraceLine& TraceLine::Raw(const std::string& text) {
    Separate();
    text_ += text;
    return *this;
}

std::string TraceLine::Finish() { return text_ + "}\n"; }

void Fnv1a::AddByte(uint8_t byte) {
    hash_ ^= byte;
    hash_ *= 1099511628211ull;
}

void Fnv1a::AddInt32(int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) AddByte(static_cast<uint8_t>(bits >> (8 * i)));
}

void Fnv1a::AddDouble(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i) AddByte(static_cast<uint8_t>(bits >> (8 * i)));
}

std::string Fnv1a::Hex() const {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016" PRIx64, hash_);
    return buffer;
}
