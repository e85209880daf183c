// zonder-render's path for text sources over arbitrary bytes: the text compiled
// in memory as zonder-pack compiles it, the binary it writes loaded by the
// player's own loaders, then played. Whatever the compiler writes, the player's
// loader must take; whatever is taken, every sample it renders stays finite.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "base/log.h"
#include "synth/instrument_file.h"
#include "synth/player_state.h"
#include "synth/render_audio.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"
#include "synth/voices.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/fuzz_targets.h"
#include "tools/zonder_text_binary.h"
#include "tools/zonder_text_parse.h"

namespace {
// Songs name their instrument files relative to their own folder; the game's
// own music folder gives them real files to find.
const std::string SONG_NAME = std::string(VORTANE_SOURCE_DIR) + "/assets/music/fuzz.zst";
// As the player-loader targets: many control ticks and a few hundred rows, fast.
constexpr unsigned long EFFECT_SAMPLES = 4500;
constexpr int SONG_ROWS = 300;
constexpr unsigned long SAMPLES_PER_ROW = 48;

void RenderAndCheck(unsigned long samples) {
    static float buffer[1024];
    for (unsigned long done = 0; done < samples; done += 1024) {
        RenderAudio(buffer, 1024);
        for (float s : buffer) FuzzCheck(std::isfinite(s), "every rendered sample is finite");
    }
}
}  // namespace

int FuzzRenderInstrumentText(const uint8_t* data, size_t size) {
    LogDisable();
    std::string text(reinterpret_cast<const char*>(data), size);
    PackInstrument source;
    std::vector<uint8_t> binary;
    std::string error;
    if (!ParseInstrumentText(text, "fuzz.zit", source, error) ||
        !WriteInstrumentBinary(source, binary, error))
        return 0;
    static Instrument instrument;
    std::memset(&instrument, 0, sizeof instrument);
    std::FILE* file = OpenBytes(binary.data(), binary.size());
    if (!file) return 0;
    std::string reason;
    bool read = ReadInstrument(instrument, file, &reason);
    std::fclose(file);
    FuzzCheck(read, "the player's loader takes every instrument the compiler writes");
    if (!read) return 0;
    // Played as zonder-render's trigger plays an effect, at a note from the input.
    ResetPlayerState();
    int note = size > 0 ? data[size - 1] % NOTE_COUNT : 0;
    TriggerNote(&instrument, note, 0);
    RenderAndCheck(EFFECT_SAMPLES);
    ReleaseNote(0);
    RenderAndCheck(EFFECT_SAMPLES);
    return 0;
}

int FuzzRenderSongText(const uint8_t* data, size_t size) {
    LogDisable();
    std::string text(reinterpret_cast<const char*>(data), size);
    PackSong source;
    std::vector<uint8_t> binary;
    std::string error;
    if (!ParseSongText(text, SONG_NAME, source, error) || !WriteSongBinary(source, binary, error)) return 0;
    ResetPlayerState();
    std::FILE* file = OpenBytes(binary.data(), binary.size());
    if (!file) return 0;
    bool loaded = LoadSong(file, "fuzz.zst");
    std::fclose(file);
    FuzzCheck(loaded, "the player's loader takes every song the compiler writes");
    if (!loaded) return 0;
    // Started as zonder-render's "play" starts it; the sequencer is stepped a row
    // at a time with a control tick or so of audio between rows.
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
