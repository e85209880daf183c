#include "synth/player_clock.h"

Stopwatch PlayerClock;
