#include "tests/fuzz/fuzz_targets.h"

const FuzzTarget FUZZ_TARGETS[] = {
    {"targa", FuzzTarga, ".tga"},
    {"instrument", FuzzInstrument, ".zdi"},
    {"song", FuzzSong, ".zds"},
    {"pack_instrument_text", FuzzPackInstrumentText, ".zit"},
    {"pack_song_text", FuzzPackSongText, ".zst"},
    {"pack_binary", FuzzPackBinary, ".zd?"},
    {"sound_formats", FuzzSoundFormats, ".zd?"},
    {"input_script", FuzzInputScript, ".txt"},
    {"recording", FuzzRecording, ".vrec"},
    {"render_instrument_text", FuzzRenderInstrumentText, ".zit"},
    {"render_song_text", FuzzRenderSongText, ".zst"},
};
const int FUZZ_TARGET_COUNT = sizeof FUZZ_TARGETS / sizeof FUZZ_TARGETS[0];
