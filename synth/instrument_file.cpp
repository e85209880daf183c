#include "synth/instrument_file.h"

#include <cerrno>
#include <string>

#include "base/named_file.h"
#include "base/program_name.h"
#include "synth/curve.h"

Instrument* soundEffects[SOUND_EFFECT_SLOTS];

namespace {
// Every sound-effect instrument ever loaded, newest first. A replaced one is
// never freed because a voice may still be playing it; the chain keeps it owned.
struct EffectRecord {
    Instrument instrument;
    EffectRecord* older;
};
EffectRecord* effectRecords = nullptr;

bool ReadPlayedLength(FileReader& reader, const Curve& curve, const char* which) {
    if (curve.length >= 1) return true;
    return reader.Fail(std::string(which) + " curve length " + std::to_string(curve.length) +
                       " (at least 1)");
}
}  // namespace

bool ReadCurveFrom(FileReader& reader, Curve& curve) {
    Curve read = curve;
    uint8_t loop = 0, loopPoint = 0, count = 0;
    reader.Int16(read.length);
    reader.Byte(loop);
    reader.Byte(loopPoint);
    reader.Byte(count);
    if (reader.Failed()) return false;
    if (count > CURVE_MAX_POINTS) {
        return reader.Fail("curve of " + std::to_string(count) + " points (at most 100)");
    }
    read.loop = loop;
    read.loopPoint = loopPoint * BYTE_SCALE;
    read.count = count;
    for (int i = 0; i < count; i++) {
        uint8_t x = 0, y = 0;
        reader.Byte(x);
        reader.Byte(y);
        read.x[i] = x * BYTE_SCALE;
        read.y[i] = y * BYTE_SCALE;
    }
    if (reader.Failed()) return false;
    DeriveSlopes(read);
    curve = read;
    return true;
}

bool ReadInstrumentFrom(FileReader& reader, Instrument& instrument) {
    Instrument read = instrument;
    uint8_t nameLength = 0, oneShot = 0, noise = 0, arpCount = 0;
    reader.Byte(nameLength);
    reader.Bytes(read.name, nameLength);
    read.name[nameLength] = '\0';
    reader.Byte(oneShot);
    reader.Byte(noise);
    reader.Byte(arpCount);
    if (reader.Failed()) return false;
    if (arpCount > ARPEGGIO_MAX) {
        return reader.Fail("arpeggio of " + std::to_string(arpCount) + " offsets (at most 6)");
    }
    read.oneShot = oneShot;
    read.noise = noise;
    read.arpCount = arpCount;
    if (arpCount > 0) {
        uint8_t speed = 0;
        reader.Byte(speed);
        read.arpSpeed = speed;
        for (int i = 0; i < arpCount; i++) {
            uint8_t offset = 0;
            reader.Byte(offset);
            read.arpOffsets[i] = offset;
        }
    }
    // Curves present by the flags; an absent one keeps what the record held.
    if (!noise) ReadCurveFrom(reader, read.shapeA);
    if (!noise) ReadCurveFrom(reader, read.shapeB);
    ReadCurveFrom(reader, read.amp) && ReadPlayedLength(reader, read.amp, "amp");
    if (!oneShot) {
        ReadCurveFrom(reader, read.release) && ReadPlayedLength(reader, read.release, "release");
    }
    ReadCurveFrom(reader, read.pitch) && ReadPlayedLength(reader, read.pitch, "pitch");
    if (!noise) ReadCurveFrom(reader, read.morph) && ReadPlayedLength(reader, read.morph, "morph");
    if (reader.Failed()) return false;
    instrument = read;
    return true;
}

void ReportRefusedFile(const char* name, const std::string& reason) {
    std::fprintf(stderr, "%s: %s: %s; file refused\n", ProgramName(), name ? name : "(unnamed file)",
                 reason.c_str());
}

bool ReadCurve(Curve& curve, std::FILE* file, std::string* reason) {
    FileReader reader(file);
    bool read = ReadCurveFrom(reader, curve);
    if (reason) *reason = reader.Reason();
    return read;
}

bool ReadInstrument(Instrument& instrument, std::FILE* file, std::string* reason) {
    FileReader reader(file);
    bool read = ReadInstrumentFrom(reader, instrument);
    if (reason) *reason = reader.Reason();
    return read;
}

bool LoadSoundEffect(int slot, const char* path) {
    if (slot < 0 || slot >= SOUND_EFFECT_SLOTS) return false;
    std::string reason;
    std::FILE* file = path ? OpenRegularFile(path, reason) : nullptr;
    if (!file) {
        // A missing sound is tolerated silently; a folder or a pipe in its place is not.
        if (path && errno != ENOENT) ReportRefusedFile(path, reason);
        LoadSoundEffect(slot, nullptr, path);
        return false;
    }
    bool read = LoadSoundEffect(slot, file, path);
    std::fclose(file);
    return read;
}

bool LoadSoundEffect(int slot, std::FILE* file, const char* name) {
    if (slot < 0 || slot >= SOUND_EFFECT_SLOTS) return false;
    effectRecords = new EffectRecord{Instrument{}, effectRecords};
    Instrument* instrument = &effectRecords->instrument;
    soundEffects[slot] = instrument;
    if (!file) return false;
    std::string reason;
    bool read = ReadInstrument(*instrument, file, &reason);
    if (!read) ReportRefusedFile(name, reason);
    return read;
}
