#include "store/finished_game.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/player_files.h"
#include "tests/support/files.h"

namespace fs = std::filesystem;

namespace {

std::string Folder() {
    std::string folder = fs::current_path().string() + "/finished/";
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

}  // namespace

// Dates worked out by hand from the day count: the epoch, leap days, the turn of
// a century that is not a leap year and one that is, and the last second of a day.
TEST(UtcDate, NamesTheCalendarDayAndTimeOfACountOfSeconds) {
    const struct {
        std::time_t when;
        const char* date;
    } cases[] = {
        {0, "1970-01-01T00:00:00Z"},          {86399, "1970-01-01T23:59:59Z"},
        {951782400, "2000-02-29T00:00:00Z"},   // 2000 is a leap year
        {4107542400, "2100-03-01T00:00:00Z"},  // 2100 is not: 28 February is followed by March
        {1709210096, "2024-02-29T12:34:56Z"}, {1798761599, "2026-12-31T23:59:59Z"},
        {-1, "1969-12-31T23:59:59Z"},
    };
    for (const auto& c : cases) EXPECT_EQ(UtcDate(c.when), c.date) << c.when;
}

TEST(UtcDate, AgreesWithTheCLibraryOverTheYears) {
    for (std::time_t when = 0; when < 4102444800; when += 86400 * 37 + 3671) {
        std::tm parts{};
        gmtime_r(&when, &parts);
        char text[48];
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
        ASSERT_EQ(UtcDate(when), text) << when;
    }
}

// The recording is asked for, and kept, only when the score is a new best.
TEST(FinishedGame, KeepsTheScoreAndOnlyANewBestsRecording) {
    std::string folder = Folder();
    int asked = 0;
    auto recording = [&asked] {
        asked += 1;
        return "# vortane recording " + std::to_string(asked) + "\n";
    };
    std::vector<std::string> report;
    ScoreRank first = KeepFinishedGame(folder, "current", 500, recording, report);
    EXPECT_TRUE(first.newBest);
    EXPECT_EQ(ReadFile(folder + BestRunFile("current")), "# vortane recording 1\n");

    ScoreRank lower = KeepFinishedGame(folder, "current", 200, recording, report);
    EXPECT_FALSE(lower.newBest);
    EXPECT_EQ(lower.bestBefore, 500);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadFile(folder + BestRunFile("current")), "# vortane recording 1\n");

    ScoreRank higher = KeepFinishedGame(folder, "current", 900, recording, report);
    EXPECT_TRUE(higher.newBest);
    EXPECT_EQ(ReadFile(folder + BestRunFile("current")), "# vortane recording 2\n");
    EXPECT_FALSE(fs::exists(folder + BestRunFile("classic")));
    EXPECT_TRUE(report.empty());

    std::vector<BestScore> kept = EditionScores(LoadBestScores(folder, report), "current");
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].score, 900);
    // Dated now: this year's date in the file's form.
    EXPECT_EQ(kept[0].date.size(), 20u);
    EXPECT_EQ(kept[0].date.substr(0, 4), UtcDate(std::time(nullptr)).substr(0, 4));
}
