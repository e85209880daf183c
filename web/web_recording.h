#pragma once
#include <cstdint>
#include <string>

#include "game/controls.h"

// The page records every game it plays, as the desktop does with --record, into
// the page's own memory (emscripten's file system); nothing is stored unless the
// player saves it. The recording replays in vortane-sim --replay on any platform.

// Starts the recording of a game of `edition` whose generator was seeded with `seed`.
void StartWebRecording(const char* edition, uint32_t seed);

// Runs one world step over `controls`, recording what it reads at its Poll.
bool StepRecorded(bool (*updateWorld)(Controls&), Controls& controls);

// The recording so far, complete with its end line: the steps run, `score` and
// the generator's `rand` after the last of them. Empty before the game starts.
std::string WebRecordingText(int32_t score, uint32_t rand);
