#pragma once
#include <string>

#include "game/edition.h"

// Runs `edition` in this process through vortane-sim's own trace (TraceSteps) with
// `options` (space-separated, e.g. "--seed 7 --steps 100 --input fight.txt"; an
// input path is taken relative to `dir`) and returns the trace. An --edition among
// the options must name `edition`. A bad option or script fails the current test
// and returns "".
std::string RunTrace(const Edition& edition, const std::string& options, const std::string& dir);
