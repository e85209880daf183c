#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The best-scores file: one `EDITION SCORE DATE` per line, best first within an
// edition, '#' lines are comments. The games write it; any other line makes it
// corrupt.

constexpr size_t BEST_SCORES_KEPT = 10;  // per edition

struct BestScore {
    std::string edition;  // "current" or "classic" (lower-case letters, digits, '-')
    int32_t score = 0;
    std::string date;  // when the game ended, UTC: 2026-12-08T08:15:00Z
};

// Reads the file's text. Every good line is kept in `scores` (in file order);
// each bad one is described in `problems` (naming `sourceName` and the line) and
// makes the result false: the file is corrupt, though what it held of use is kept.
bool ParseBestScores(const std::string& text, const std::string& sourceName, std::vector<BestScore>& scores,
                     std::vector<std::string>& problems);

// Best first per edition (editions in the order they first appear), at most
// BEST_SCORES_KEPT of each, with the file's comment on top.
std::string FormatBestScores(const std::vector<BestScore>& scores);

// The edition's scores, best first; an equal score keeps the earlier one first.
std::vector<BestScore> EditionScores(const std::vector<BestScore>& scores, const std::string& edition);

// Where a new score ranks: its place in the edition's table (0 the best), or -1
// when it makes no table (not above the tenth, or not above 0).
struct ScoreRank {
    int place = -1;
    bool newBest = false;    // above every score the edition had (the first one counts)
    int32_t bestBefore = 0;  // the edition's best before it; 0 with none
};

// Adds the entry to `scores` when it ranks, keeping BEST_SCORES_KEPT per edition.
ScoreRank AddBestScore(std::vector<BestScore>& scores, const BestScore& entry);
