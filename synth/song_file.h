#pragma once
#include <cstdio>
#include <string>

#include "synth/instrument.h"

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

// Reads a whole song from a file the caller opened, logging its listing, and
// fills songInstruments, patterns, orderList and songLength. A refused file is
// reported once on stderr under `name` and leaves every table as it was. Refused
// the same way once PlaySong has started the song: the audio thread reads the
// records (until ResetPlayerState, with no callback running).
bool LoadSong(std::FILE* file);
bool LoadSong(std::FILE* file, const char* name);
// Opens path with "rb" and loads it; a file that does not open is no song,
// silently, as at start-up.
bool LoadSongFile(const char* path);
