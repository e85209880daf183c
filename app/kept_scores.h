#pragma once
#include "game/edition.h"

// The best scores and the best game in the running game: the session is logged
// step by step from start-up; at each game over the score goes into the scores
// file, and when it is a new best the session up to that step is kept as the
// edition's best game (a recording, best-EDITION.vrec). The score and the best
// are shown under the game-over sign. Nothing is kept in a replay or with
// --no-save. Main thread.

// Before the main loop, after StartKeeping and start-up.
void StartScoreKeeping(const Edition& edition);

// After each world step.
void WatchGameOver(const Edition& edition);
