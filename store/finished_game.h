#pragma once
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "store/best_scores.h"

// What a game over keeps, the same on the desktop and in the browser: the score
// goes into the scores file dated now, and a new best keeps the game's recording
// as the edition's best run (best-EDITION.vrec) beside it. Main thread.

// `recording` is asked for only on a new best (the whole recording's text, end
// line included). Whatever cannot be kept is told in `report`; `rank` says where
// the score landed.
ScoreRank KeepFinishedGame(const std::string& folder, const std::string& edition, int32_t score,
                           const std::function<std::string()>& recording, std::vector<std::string>& report);

// `when` in UTC as the scores file dates a game: 2026-12-08T08:15:00Z. Worked out
// from the count of seconds alone, so every host writes the same text.
std::string UtcDate(std::time_t when);
