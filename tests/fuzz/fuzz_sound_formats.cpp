// The two readers of the instrument and song formats over the same bytes: the
// player's loaders and zonder-pack's reader. Both keep the limits of
// synth/zonder_format.h, so they must take and refuse the same files, and read
// what they take to the same fields. zonder-pack's own reader adds its rules for
// writing a file; whatever passes those, the player must load too.
#include <cstring>
#include <string>
#include <vector>

#include "base/log.h"
#include "synth/instrument_file.h"
#include "synth/player_state.h"
#include "synth/song_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/fuzz_targets.h"
#include "tools/zonder_text_binary.h"

namespace {

bool SameCurve(const Curve& played, const PackCurve& packed) {
    if (played.length != packed.length || played.loop != packed.loop ||
        played.loopPoint != packed.loopPoint * BYTE_SCALE || played.count != int32_t(packed.points.size()))
        return false;
    for (int i = 0; i < played.count; ++i) {
        if (played.x[i] != packed.points[i].x * BYTE_SCALE || played.y[i] != packed.points[i].y * BYTE_SCALE)
            return false;
    }
    return true;
}

bool SameInstrument(const Instrument& played, const PackInstrument& packed) {
    // Both keep the name's bytes; the player's ends at the first zero byte.
    if (std::string(played.name) != std::string(packed.name.c_str()) || played.oneShot != packed.oneShot ||
        played.noise != packed.noise || played.arpCount != int32_t(packed.arpOffsets.size()))
        return false;
    for (int i = 0; i < played.arpCount; ++i) {
        if (played.arpOffsets[i] != packed.arpOffsets[i] || played.arpSpeed != packed.arpSpeed) return false;
    }
    const Curve* curves[CURVE_SLOT_COUNT] = {&played.shapeA,  &played.shapeB, &played.amp,
                                             &played.release, &played.pitch,  &played.morph};
    for (int slot = 0; slot < CURVE_SLOT_COUNT; ++slot) {
        if (CurvePresent(packed, slot) && !SameCurve(*curves[slot], packed.curves[slot])) return false;
    }
    return true;
}

void CheckInstrumentAgreement(const std::vector<uint8_t>& bytes) {
    static Instrument played;
    std::memset(&played, 0, sizeof played);
    std::FILE* file = OpenBytes(bytes.data(), bytes.size());
    if (!file) return;
    bool loaded = ReadInstrument(played, file, nullptr);
    std::fclose(file);
    PackInstrument packed;
    std::string error;
    bool read = ReadInstrumentFormat(bytes, packed, error);
    FuzzCheck(loaded == read, "the player and zonder-pack take and refuse the same instrument files");
    if (loaded && read)
        FuzzCheck(SameInstrument(played, packed), "both read an instrument to the same fields");
    PackInstrument strict;
    if (ReadInstrumentBinary(bytes, strict, error))
        FuzzCheck(loaded, "an instrument zonder-pack reads, the player loads");
}

void CheckSongAgreement(const std::vector<uint8_t>& bytes) {
    ResetPlayerState();
    std::FILE* file = OpenBytes(bytes.data(), bytes.size());
    if (!file) return;
    bool loaded = LoadSong(file, "fuzz input");
    std::fclose(file);
    PackSong packed;
    std::string error;
    bool read = ReadSongFormat(bytes, packed, error);
    FuzzCheck(loaded == read, "the player and zonder-pack take and refuse the same song files");
    if (loaded && read) {
        bool same = songLength == int32_t(packed.order.size());
        for (size_t i = 0; same && i < packed.order.size(); ++i) {
            same = orderList[i] == (packed.order[i] == ORDER_FILE_EMPTY ? ORDER_EMPTY : packed.order[i]);
        }
        for (size_t i = 0; same && i < packed.instruments.size(); ++i) {
            same =
                songInstruments[i] != nullptr && SameInstrument(*songInstruments[i], packed.instruments[i]);
        }
        for (size_t i = 0; same && i < packed.patterns.size(); ++i) {
            same = patterns[i] != nullptr && patterns[i]->length == packed.patterns[i].length;
        }
        FuzzCheck(same, "both read a song to the same order list, instruments and pattern lengths");
    }
    std::vector<std::string> warnings;
    PackSong strict;
    if (ReadSongBinary(bytes, strict, error, warnings))
        FuzzCheck(loaded, "a song zonder-pack reads, the player loads");
}

}  // namespace

// Every input is read both as an instrument file and as a song file.
int FuzzSoundFormats(const uint8_t* data, size_t size) {
    LogDisable();
    std::vector<uint8_t> bytes(data, data + size);
    CheckInstrumentAgreement(bytes);
    CheckSongAgreement(bytes);
    return 0;
}
