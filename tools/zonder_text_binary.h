#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/zonder_text_records.h"

// The little-endian binary forms the player loads: .zdi (one instrument) and
// .zds (a song). Writers refuse a record that breaks the format's limits;
// readers refuse a file that is truncated, too long or out of limits, and
// list in warnings whatever the text form cannot carry (reserved bytes,
// instruments on empty cells, rows past a pattern's end).

// First limit the record breaks, or "" when it is a valid file.
std::string CheckInstrument(const PackInstrument& instrument);
std::string CheckSong(const PackSong& song);
// Whether the instrument can play the note: note plus every arpeggio offset in
// 0..119, and a phase step that never skips a waveform segment (a bound: the
// highest note at the pitch curve's peak against the narrowest segment).
std::string CheckNote(const PackInstrument& instrument, int note);
// The first half of CheckNote: the note plus every arpeggio offset in 0..119.
std::string CheckNoteRange(const PackInstrument& instrument, int note);

bool WriteInstrumentBinary(const PackInstrument& instrument, std::vector<uint8_t>& out, std::string& error);
bool WriteSongBinary(const PackSong& song, std::vector<uint8_t>& out, std::string& error);

bool ReadInstrumentBinary(const std::vector<uint8_t>& data, PackInstrument& instrument, std::string& error);
bool ReadSongBinary(const std::vector<uint8_t>& data, PackSong& song, std::string& error,
                    std::vector<std::string>& warnings);

// The format's own limits (synth/zonder_format.h), which the player's loaders
// refuse a file for, without this tool's rules for writing one (waveforms from x
// 0 to 255, rising x, patterns of at least one bar, no note that skips a segment).
std::string CheckInstrumentLimits(const PackInstrument& instrument);
std::string CheckSongLimits(const PackSong& song);
// A file as the player's loaders take it: its fields read in order and kept to
// the format's limits; whatever follows the last field is left unread.
bool ReadInstrumentFormat(const std::vector<uint8_t>& data, PackInstrument& instrument, std::string& error);
bool ReadSongFormat(const std::vector<uint8_t>& data, PackSong& song, std::string& error);

// The player's phase step for a note at a pitch-curve byte; the oscillator
// needs it below 1.
double PhaseStep(int note, int pitchByte);
// The narrowest segment of the instrument's waveforms, as a fraction of a cycle.
// A phase step wider than that makes the voice skip a segment and overshoot.
double NarrowestSegment(const PackInstrument& instrument);

// The bytes of a regular file of at most NAMED_INPUT_MAX_BYTES (base/named_file.h);
// false with `reason` otherwise.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& data, std::string* reason = nullptr);
// "-" writes to standard output.
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& data);
