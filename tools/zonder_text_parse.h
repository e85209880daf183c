#pragma once
#include <string>

#include "tools/zonder_text_records.h"

// The readable text forms: one instrument per .zit file, a song per .zst file
// (format described in docs/ASSETS.md). On failure, error reads
// "FILE:LINE: problem" and the record is left unspecified.

bool ParseInstrumentText(const std::string& text, const std::string& fileName, PackInstrument& instrument,
                         std::string& error);
// Instrument files named by the song are read relative to the song's folder.
bool ParseSongText(const std::string& text, const std::string& fileName, PackSong& song, std::string& error);
bool ParseInstrumentFile(const std::string& path, PackInstrument& instrument, std::string& error);
bool ParseSongFile(const std::string& path, PackSong& song, std::string& error);

// Note names: "C-4", "D#5", ..., note 0 is "A-0", note 48 (440 Hz) is "A-4".
bool ParseNoteName(const std::string& token, int& note);
std::string NoteName(int note);
