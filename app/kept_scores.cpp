#include "app/kept_scores.h"

#include <ctime>
#include <string>
#include <vector>

#include "app/game_session.h"
#include "app/host.h"
#include "app/kept_controls.h"
#include "app/kept_settings.h"
#include "game/random.h"
#include "game/run_log.h"
#include "render/player_signs.h"
#include "store/player_files.h"

namespace {

RunLog runLog;
bool keeping = false;
bool gameOver = false;

std::string NowUtc() {
    std::time_t now = std::time(nullptr);
    std::tm parts = UtcParts(now);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

void KeepScore(const Edition& edition) {
    BestScore entry;
    entry.edition = edition.name;
    entry.score = edition.score();
    entry.date = NowUtc();
    std::vector<std::string> report;
    ScoreRank rank;
    RecordBestScore(KeptFolder(), entry, rank, report);
    if (rank.newBest)
        SaveBestRun(KeptFolder(), edition.name, runLog.Recording(entry.score, gameRandom.state), report);
    ReportKeeping(report);
    playerSigns.score = entry.score;
    playerSigns.best = rank.newBest ? entry.score : rank.bestBefore;
    playerSigns.newBest = rank.newBest;
    playerSigns.pulse = 0;
    playerSigns.bestShown = true;
}

}  // namespace

void StartScoreKeeping(const Edition& edition) {
    keeping = !KeptFolder().empty() && !KeptReplay() && edition.lives != nullptr;
    if (!keeping) return;
    runLog.Start(edition.name, StartSeed());
    SetRunLog(&runLog);
}

void WatchGameOver(const Edition& edition) {
    if (!keeping) return;
    bool over = edition.lives() < 0;
    if (over && !gameOver) KeepScore(edition);
    if (!over) playerSigns.bestShown = false;
    playerSigns.pulse += 1;
    gameOver = over;
}
