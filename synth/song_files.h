#pragma once
#include <cstdio>
#include <string>

#include "synth/instrument.h"

constexpr int SOUND_EFFECT_SLOTS = 100;
constexpr int SONG_INSTRUMENT_SLOTS = 100;
constexpr int PATTERN_SLOTS = 1000;
constexpr int ORDER_LIST_SIZE = 16384;
constexpr int SONG_TITLE_MAX = 31;
constexpr int ORDER_EMPTY = -1;  // no new pattern starts at this order step

// The player's tables, filled by the loaders. A slot holds one owned record or
// nothing. Written only on the loading thread before the song is started; the
// audio thread reads them.
extern Instrument* soundEffects[SOUND_EFFECT_SLOTS];
extern Instrument* songInstruments[SONG_INSTRUMENT_SLOTS];
extern Pattern* patterns[PATTERN_SLOTS];
extern int32_t orderList[ORDER_LIST_SIZE];
extern int32_t songLength;

// Every loader reads into a scratch copy, checks it against the format's limits
// and only then writes the target: a truncated or out-of-limit file changes
// nothing. The reason for a refusal goes to `reason` when given.

// One curve in the file format; derives the slopes. False (curve untouched) on
// a truncated file or more than 100 points.
bool ReadCurve(Curve& curve, std::FILE* file, std::string* reason = nullptr);
// One instrument, curves present by its flags, read over the record without
// clearing it (absent curves keep what it held). False (record untouched) on a
// truncated file, more than 6 arpeggio offsets, more than 100 points or a
// played envelope shorter than 1 control tick.
bool ReadInstrument(Instrument& instrument, std::FILE* file, std::string* reason = nullptr);

// Puts a new empty instrument in soundEffects[slot] (the old one is kept
// alive: a voice may still play it) and reads the file at path into it. False
// if the file cannot be opened (silently: missing files are tolerated) or is
// refused (reported once on stderr, the slot keeps the empty instrument).
bool LoadSoundEffect(int slot, const char* path);
// The same from a file the caller opened (nullptr leaves the empty instrument);
// a refusal is reported under `name`.
bool LoadSoundEffect(int slot, std::FILE* file, const char* name);

// Reads a whole song from a file the caller opened, logging its listing, and
// fills songInstruments, patterns, orderList and songLength. A refused file is
// reported once on stderr under `name` and leaves every table as it was. Must
// not run while the song plays.
bool LoadSong(std::FILE* file);
bool LoadSong(std::FILE* file, const char* name);
// Opens path with "rb" and loads it; a file that does not open is no song,
// silently, as at start-up.
bool LoadSongFile(const char* path);
