#pragma once
#include <cstdint>

#include "synth/instrument.h"

// The song's data, one owner: the loader (synth/song_file.h) writes it, the
// sequencer reads it.

// The tables hold the most a song file can carry; the pattern table has room to
// spare.
constexpr int SONG_INSTRUMENT_SLOTS = SONG_INSTRUMENTS_MAX;
constexpr int PATTERN_SLOTS = 1000;
constexpr int ORDER_LIST_SIZE = SONG_LENGTH_MAX;
constexpr int ORDER_EMPTY = -1;  // no new pattern starts at this order step

// The song's tables, filled by LoadSong. A slot holds one owned record or
// nothing. Written only on the loading thread before the song is started; the
// audio thread reads them.
extern Instrument* songInstruments[SONG_INSTRUMENT_SLOTS];
extern Pattern* patterns[PATTERN_SLOTS];
extern int32_t orderList[ORDER_LIST_SIZE];
extern int32_t songLength;

// Whether PlaySong was called since the sequencer's last reset: from then on the
// audio thread may read the song's records, and no load may change them. Any thread.
bool SongStarted();
// Set by PlaySong (true) and the sequencer's reset (false).
void MarkSongStarted(bool started);
