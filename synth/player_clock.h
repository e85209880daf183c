#pragma once
#include "base/stopwatch.h"

// The player's stopwatch. Slot 1 is marked once at player start, before the
// stream runs; slots 0 and 2 belong to the audio thread.
constexpr int CLOCK_BUFFER = 0;        // start of the buffer being rendered
constexpr int CLOCK_PLAYER_START = 1;  // origin of the reported run time
constexpr int CLOCK_TICK = 2;          // start of the sequencer tick being run

extern Stopwatch PlayerClock;

// Warnings go to the log when one buffer or one sequencer tick takes longer.
constexpr float TIMING_WARNING_MS = 0.5f;
