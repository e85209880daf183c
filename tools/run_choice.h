#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "game/input_script.h"

// What vortane-sim and vortane-shot run: an edition from a seed for some steps
// under an input script, or all four taken from a game's recording (--replay).
struct RunChoice {
    std::string edition = "current";
    uint32_t seed = 1;
    uint64_t steps = 1000;
    std::string inputPath;
    std::string replayPath;
    bool runGiven = false;  // --edition, --seed, --steps or --input was given
};

// The options --edition, --seed, --steps (described by `stepsHelp`), --input and
// --replay, in that order, storing into `run`.
std::vector<CommandOption> RunOptions(RunChoice& run, const char* stepsHelp);

// After parsing: a --replay that contradicts another run option is a usage error;
// otherwise the recording (edition, seed, steps, controls) or the input script is
// read into `run` and `script`. Returns -1 to go on, or the exit status after a
// message: 2 for a bad recording or script.
int LoadRunChoice(RunChoice& run, InputScript& script);
