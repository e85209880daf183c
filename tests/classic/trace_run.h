#pragma once
#include <string>

// Runs the earlier edition in this process exactly as `vortane-sim` does with
// `options` (space-separated, e.g. "--edition classic --seed 7 --steps 100
// --input fight.txt"; an input path is taken relative to `dir`) and returns the
// trace it prints. A bad option or script fails the current test and returns "".
std::string RunClassicTrace(const std::string& options, const std::string& dir);

// Runs the simulator binary of the run folder with `options` from `dir`. Returns
// its exit status and its standard output in `out`.
int RunSimulatorBinary(const std::string& options, const std::string& dir, std::string& out);
