#pragma once
#include <cstdint>

// Facts of the instrument (.zdi) and song (.zds) file formats: the limits a file
// must keep, its markers, the pattern block's layout and the note formula. The
// player's loaders and zonder-pack's text tools both read them from here, so the
// two cannot drift apart. Little-endian throughout, no magic number.

// Curves: waveform shapes and envelopes, points of byte x and y (value = byte/255).
constexpr int CURVE_MAX_POINTS = 100;
constexpr float BYTE_SCALE = 1.0f / 255.0f;

// Instruments.
constexpr int ARPEGGIO_MAX = 6;
constexpr int INSTRUMENT_NAME_MAX = 255;  // bytes, after a one-byte length

// Songs: a title, the instruments, the patterns, then the order list.
constexpr int SONG_TITLE_MAX = 31;
constexpr int SONG_INSTRUMENTS_MAX = 100;
constexpr int SONG_PATTERNS_MAX = 255;         // the count is one byte
constexpr int SONG_LENGTH_MAX = 16384;         // order list entries
constexpr uint16_t ORDER_FILE_EMPTY = 0xFFFF;  // an order entry starting no pattern

// A pattern block: length (lasts 8 × length rows), 8 reserved bytes, a 260-byte
// name (zero-terminated), notes and instruments as int32, channel-major (channel
// k, row r is element 256 × k + r), 6912 reserved bytes.
constexpr int PATTERN_CHANNELS = 3;
constexpr int PATTERN_ROWS = 256;
constexpr int PATTERN_MAX_LENGTH = 32;
constexpr int PATTERN_NAME_SIZE = 260;
constexpr int PATTERN_NAME_MAX = PATTERN_NAME_SIZE - 1;
constexpr int PATTERN_NAME_OFFSET = 12;
constexpr int PATTERN_NOTES_OFFSET = 272;
constexpr int PATTERN_INSTRUMENTS_OFFSET = 3344;
constexpr int PATTERN_TAIL_OFFSET = 6416;
constexpr int PATTERN_BLOCK_SIZE = 13328;

// Notes: 0..119 (48 is 440 Hz); in a pattern also an empty row and a note-off.
constexpr int NOTE_COUNT = 120;
constexpr int NOTE_MAX = NOTE_COUNT - 1;
constexpr int NOTE_EMPTY = -1;
constexpr int NOTE_OFF = -2;

// The player's output rate, and 1/44100 as the single-precision constant the
// synthesizer uses everywhere.
constexpr int SAMPLE_RATE = 44100;
constexpr float SAMPLE_PERIOD = 1.0f / 44100.0f;

// The note formula: 27.5 Hz × 1.0594631^note, the power accumulated by repeated
// multiplication in double precision (the semitone ratio is a single-precision
// constant widened to double), then the oscillator's phase step per sample stored
// as single precision.
inline float NotePhaseStep(int note) {
    const double ratio = 1.0594631f;
    double frequency = 27.5;
    for (int n = 0; n < note; n++) frequency *= ratio;
    return static_cast<float>(frequency * SAMPLE_PERIOD);
}
