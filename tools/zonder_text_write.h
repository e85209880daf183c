#pragma once
#include <string>

#include "tools/zonder_text_records.h"

// The canonical text form of a record; parsing it gives the same record back.
std::string InstrumentText(const PackInstrument& instrument);
// Song instruments are written inline, under their instrumentIds (made up from
// their names where an id is missing).
std::string SongText(const PackSong& song);
