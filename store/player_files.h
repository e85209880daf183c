#pragma once
#include <string>
#include <vector>

#include "store/best_scores.h"
#include "store/settings.h"

// The files the games keep in the player's folder (a path ending with '/', which
// the shell finds and creates). Whatever goes wrong is told in one line each in
// `report` (for stderr) and the game goes on: a corrupt or unreadable file is set
// aside as NAME.bad and the defaults take its place; a failed write leaves the
// old file whole.

extern const char* const SETTINGS_FILE;  // settings.conf
extern const char* const SCORES_FILE;    // scores.txt
extern const char* const SCORES_LOCK;    // scores.lock, held around every change of the scores

// best-current.vrec, best-classic.vrec: the recording of the edition's best game.
std::string BestRunFile(const std::string& edition);

Settings LoadSettings(const std::string& folder, std::vector<std::string>& report);
bool SaveSettings(const std::string& folder, const Settings& settings, std::vector<std::string>& report);

// Every edition's best scores, read under the lock. A corrupt file is set aside
// and what it held of use written back.
std::vector<BestScore> LoadBestScores(const std::string& folder, std::vector<std::string>& report);

// Adds one game's score: under the lock the file is read again, the score added
// and the file written, so two games ending at once both keep theirs. `rank`
// says where it landed (also when the file could not be written).
bool RecordBestScore(const std::string& folder, const BestScore& entry, ScoreRank& rank,
                     std::vector<std::string>& report);

// Keeps `recording` (a whole recording's text) as the edition's best run.
bool SaveBestRun(const std::string& folder, const std::string& edition, const std::string& recording,
                 std::vector<std::string>& report);
