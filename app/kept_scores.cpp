#include "app/kept_scores.h"

#include <string>
#include <vector>

#include "app/game_session.h"
#include "app/kept_controls.h"
#include "app/kept_settings.h"
#include "game/random.h"
#include "game/run_log.h"
#include "render/player_signs.h"
#include "store/finished_game.h"

namespace {

RunLog runLog;
bool keeping = false;
bool gameOver = false;

void KeepScore(const Edition& edition) {
    int32_t score = edition.score();
    std::vector<std::string> report;
    ScoreRank rank = KeepFinishedGame(
        KeptFolder(), edition.name, score, [score] { return runLog.Recording(score, gameRandom.state); },
        report);
    ReportKeeping(report);
    ShowGameOverSigns(score, rank.bestBefore, rank.newBest);
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
