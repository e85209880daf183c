#pragma once
// Builders of instrument and song files byte by byte, for the loader and
// player tests. Each writes exactly the file format, nothing checked.
#include <sys/stat.h>
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "synth/curve.h"
#include "synth/instrument.h"

struct ZonderBytes {
    std::vector<uint8_t> data;

    ZonderBytes& U8(int v) {
        data.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    ZonderBytes& U16(int v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
    ZonderBytes& I32(int32_t v) {
        uint32_t u = static_cast<uint32_t>(v);
        return U8(u & 0xFF).U8(u >> 8 & 0xFF).U8(u >> 16 & 0xFF).U8(u >> 24 & 0xFF);
    }
    ZonderBytes& Text(const std::string& text) {
        U8(static_cast<int>(text.size()));
        for (char c : text) U8(static_cast<uint8_t>(c));
        return *this;
    }
    ZonderBytes& Append(const ZonderBytes& other) {
        data.insert(data.end(), other.data.begin(), other.data.end());
        return *this;
    }
    // length, loop, loop point, count, then x y pairs (all bytes).
    ZonderBytes& CurveBytes(int length, std::initializer_list<std::pair<int, int>> points, int loop = 0,
                            int loopPoint = 0) {
        U16(length).U8(loop).U8(loopPoint).U8(static_cast<int>(points.size()));
        for (auto p : points) U8(p.first).U8(p.second);
        return *this;
    }
};

// A file holding the bytes, rewound; closed by the caller.
inline std::FILE* FileOf(const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::tmpfile();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    return file;
}

// Instrument with a sustained flat amp curve, flat pitch and the given shape:
// name, flags, arpeggio, then the curves present for those flags.
inline ZonderBytes InstrumentBytes(const std::string& name, int oneShot, int noise, int ampLength = 10,
                                   int arpSpeed = 0, std::initializer_list<int> arpeggio = {}) {
    ZonderBytes b;
    b.Text(name).U8(oneShot).U8(noise).U8(static_cast<int>(arpeggio.size()));
    if (arpeggio.size() > 0) {
        b.U8(arpSpeed);
        for (int offset : arpeggio) b.U8(offset);
    }
    if (!noise) b.CurveBytes(1, {{0, 0}, {255, 255}});
    if (!noise) b.CurveBytes(1, {{0, 0}, {255, 255}});
    b.CurveBytes(ampLength, {{0, 255}, {255, 255}});
    if (!oneShot) b.CurveBytes(10, {{0, 255}, {255, 0}});
    b.CurveBytes(10, {{0, 128}, {255, 128}});
    if (!noise) b.CurveBytes(10, {{0, 0}, {255, 0}});
    return b;
}

// One 13,328-byte pattern block: length, name, and notes/instruments per row of
// channel 0 (channels 1 and 2 empty, -1). Rows not listed hold -1.
inline ZonderBytes PatternBytes(int32_t length, const std::string& name,
                                std::initializer_list<std::pair<int, int>> channel0 = {}) {
    std::vector<int32_t> note(3 * 256, -1), instrument(3 * 256, 0);
    int row = 0;
    for (auto cell : channel0) {
        note[row] = cell.first;
        instrument[row] = cell.second;
        row++;
    }
    ZonderBytes b;
    b.I32(length);
    for (int i = 0; i < 8; i++) b.U8(0);
    for (int i = 0; i < 260; i++) b.U8(i < static_cast<int>(name.size()) ? name[i] : 0);
    for (int32_t n : note) b.I32(n);
    for (int32_t n : instrument) b.I32(n);
    for (int i = 0; i < 6912; i++) b.U8(0);
    return b;
}

// A curve in memory with float points, slopes derived as the loader does.
inline Curve CurveOf(int32_t length, std::initializer_list<std::pair<float, float>> points, bool loop = false,
                     float loopPoint = 0) {
    Curve c{};
    c.length = length;
    c.loop = loop;
    c.loopPoint = loopPoint;
    for (auto p : points) {
        c.x[c.count] = p.first;
        c.y[c.count] = p.second;
        c.count++;
    }
    DeriveSlopes(c);
    return c;
}

// A sustained sawtooth at full level with a flat pitch (0.5 is the table pitch):
// every sample of a voice playing it differs from the last.
inline Instrument SustainedSaw(float pitchValue = 0.5f) {
    Instrument i{};
    i.shapeA = i.shapeB = CurveOf(1, {{0, 0}, {1, 1}});
    i.amp = CurveOf(100, {{0, 1}, {1, 1}});
    i.release = CurveOf(4, {{0, 1}, {1, 1}});
    i.pitch = CurveOf(100, {{0, pitchValue}, {1, pitchValue}});
    i.morph = CurveOf(100, {{0, 0}, {1, 0}});
    return i;
}
