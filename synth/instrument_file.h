#pragma once
#include "synth/file_reader.h"
#include "synth/instrument.h"

// The reader-level forms of ReadCurve and ReadInstrument, for the song loader:
// they write their record only when it read completely and within limits.
bool ReadCurveFrom(FileReader& reader, Curve& curve);
bool ReadInstrumentFrom(FileReader& reader, Instrument& instrument);

// Writes "PROGRAM: NAME: REASON; file refused" on stderr.
void ReportRefusedFile(const char* name, const std::string& reason);
