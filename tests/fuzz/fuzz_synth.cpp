// The player's loaders over arbitrary bytes. A file is either taken whole or
// refused leaving the record untouched; whatever is taken must then play: the
// voices and the sequencer run over it and every sample stays finite.
#include <cmath>
#include <cstring>
#include <string>

#include "base/log.h"
#include "synth/instrument_file.h"
#include "synth/player.h"
#include "synth/render_audio.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"
#include "synth/voices.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/fuzz_targets.h"

namespace {
// Enough samples for many control ticks (44 samples each) and a few sequencer
// ticks (2940 each at tempo 95), short enough to keep the fuzzer fast.
constexpr unsigned long PLAY_SAMPLES = 9000;
constexpr unsigned long BUFFER_FRAMES = 1024;
constexpr int SONG_ROWS = 300;
constexpr unsigned long SAMPLES_PER_ROW = 48;

void RenderAndCheck(unsigned long samples) {
    static float buffer[BUFFER_FRAMES];
    for (unsigned long done = 0; done < samples; done += BUFFER_FRAMES) {
        RenderAudio(buffer, BUFFER_FRAMES);
        for (float s : buffer) FuzzCheck(std::isfinite(s), "every rendered sample is finite");
    }
}

bool SameBytes(const Instrument& a, const Instrument& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
}  // namespace

int FuzzInstrument(const uint8_t* data, size_t size) {
    LogDisable();
    // The record as the loader meets it in a slot: zeroed, as a new sound effect is.
    static Instrument instrument;
    static Instrument before;
    std::memset(&instrument, 0, sizeof instrument);
    before = instrument;
    std::FILE* file = OpenBytes(data, size);
    if (!file) return 0;
    std::string reason;
    bool read = ReadInstrument(instrument, file, &reason);
    std::fclose(file);
    if (!read) {
        FuzzCheck(!reason.empty(), "a refused instrument says why");
        FuzzCheck(SameBytes(instrument, before), "a refused instrument leaves its record untouched");
        return 0;
    }
    FuzzCheck(instrument.arpCount >= 0 && instrument.arpCount <= ARPEGGIO_MAX, "arpeggio within 0..6");
    FuzzCheck(instrument.name[INSTRUMENT_NAME_SIZE - 1] == '\0' ||
                  std::memchr(instrument.name, 0, INSTRUMENT_NAME_SIZE) != nullptr,
              "the name is terminated");
    for (const Curve* c : {&instrument.shapeA, &instrument.shapeB, &instrument.amp, &instrument.release,
                           &instrument.pitch, &instrument.morph}) {
        FuzzCheck(c->count >= 0 && c->count <= CURVE_MAX_POINTS, "curve points within 0..100");
    }
    // Play it on a voice the way the game plays an effect, at a note from the input.
    ResetPlayerState();
    int note = size > 0 ? data[size - 1] % NOTE_COUNT : 0;
    TriggerNote(&instrument, note, 1);
    RenderAndCheck(PLAY_SAMPLES / 2);
    ReleaseNote(1);
    RenderAndCheck(PLAY_SAMPLES / 2);
    return 0;
}

int FuzzSong(const uint8_t* data, size_t size) {
    LogDisable();
    ResetPlayerState();
    std::FILE* file = OpenBytes(data, size);
    if (!file) return 0;
    int32_t lengthBefore = songLength;
    bool loaded = LoadSong(file, "fuzz input");
    std::fclose(file);
    if (!loaded) {
        FuzzCheck(songLength == lengthBefore, "a refused song leaves the song length alone");
        return 0;
    }
    FuzzCheck(songLength >= 0 && songLength <= ORDER_LIST_SIZE, "song length within the order list");
    for (int i = 0; i < songLength; ++i) {
        FuzzCheck(orderList[i] == ORDER_EMPTY || (orderList[i] >= 0 && orderList[i] < PATTERN_SLOTS &&
                                                  patterns[orderList[i]] != nullptr),
                  "every order entry is empty or a loaded pattern");
    }
    // The sequencer is stepped directly, a row at a time, with a control tick or
    // so of audio between rows: far more rows and order steps than real time
    // would reach in the same work.
    PlaySong();
    static float buffer[SAMPLES_PER_ROW];
    RenderAudio(buffer, 1);  // takes the request
    for (int row = 0; row < SONG_ROWS; ++row) {
        SequencerTick();
        RenderAudio(buffer, SAMPLES_PER_ROW);
        for (float s : buffer) FuzzCheck(std::isfinite(s), "every rendered sample is finite");
    }
    return 0;
}
