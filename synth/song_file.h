#pragma once
#include <cstdio>
#include <string>

#include "synth/song.h"

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
