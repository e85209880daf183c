#pragma once
#include <cstdio>
#include <string>

#include "synth/file_reader.h"
#include "synth/instrument.h"

constexpr int SOUND_EFFECT_SLOTS = 100;

// The sound-effect instruments the game plays, filled by LoadSoundEffect. A slot
// holds one owned record or nothing; the audio thread reads them.
extern Instrument* soundEffects[SOUND_EFFECT_SLOTS];

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

// The reader-level forms of ReadCurve and ReadInstrument, for the song loader:
// they write their record only when it read completely and within limits.
bool ReadCurveFrom(FileReader& reader, Curve& curve);
bool ReadInstrumentFrom(FileReader& reader, Instrument& instrument);

// Writes "PROGRAM: NAME: REASON; file refused" on stderr; both loaders report so.
void ReportRefusedFile(const char* name, const std::string& reason);
