#include "store/best_scores.h"

#include <gtest/gtest.h>

namespace {

BestScore Entry(const char* edition, int32_t score, const char* date = "2026-12-08T08:00:00Z") {
    BestScore entry;
    entry.edition = edition;
    entry.score = score;
    entry.date = date;
    return entry;
}

}  // namespace

TEST(BestScores, KeepsTheTenBestPerEditionBestFirst) {
    std::vector<BestScore> scores;
    for (int32_t score = 100; score <= 1500; score += 100) AddBestScore(scores, Entry("current", score));
    AddBestScore(scores, Entry("classic", 50));
    std::vector<BestScore> current = EditionScores(scores, "current");
    ASSERT_EQ(current.size(), BEST_SCORES_KEPT);
    EXPECT_EQ(current.front().score, 1500);
    EXPECT_EQ(current.back().score, 600);
    ASSERT_EQ(EditionScores(scores, "classic").size(), 1u);
    EXPECT_EQ(EditionScores(scores, "classic")[0].score, 50);
}

TEST(BestScores, RankTellsThePlaceAndANewBest) {
    std::vector<BestScore> scores;
    ScoreRank first = AddBestScore(scores, Entry("current", 500));
    EXPECT_EQ(first.place, 0);
    EXPECT_TRUE(first.newBest);
    EXPECT_EQ(first.bestBefore, 0);

    ScoreRank lower = AddBestScore(scores, Entry("current", 300));
    EXPECT_EQ(lower.place, 1);
    EXPECT_FALSE(lower.newBest);
    EXPECT_EQ(lower.bestBefore, 500);

    // Equal to the best is not a new best, and ranks after the earlier one.
    ScoreRank equal = AddBestScore(scores, Entry("current", 500, "later"));
    EXPECT_EQ(equal.place, 1);
    EXPECT_FALSE(equal.newBest);
    EXPECT_EQ(EditionScores(scores, "current")[1].date, "later");

    ScoreRank best = AddBestScore(scores, Entry("current", 501));
    EXPECT_TRUE(best.newBest);
    EXPECT_EQ(best.bestBefore, 500);
}

TEST(BestScores, ZeroAndScoresBelowAFullTableMakeNoTable) {
    std::vector<BestScore> scores;
    EXPECT_EQ(AddBestScore(scores, Entry("current", 0)).place, -1);
    EXPECT_TRUE(scores.empty());
    for (int i = 0; i < 10; ++i) AddBestScore(scores, Entry("current", 1000));
    ScoreRank rank = AddBestScore(scores, Entry("current", 1000));
    EXPECT_EQ(rank.place, -1);
    EXPECT_EQ(EditionScores(scores, "current").size(), BEST_SCORES_KEPT);
}

TEST(BestScores, FileReadsBackTheSame) {
    std::vector<BestScore> scores;
    AddBestScore(scores, Entry("current", 7000, "2026-12-08T08:01:02Z"));
    AddBestScore(scores, Entry("classic", 300, "2026-12-07T23:59:59Z"));
    AddBestScore(scores, Entry("current", 9000, "2026-12-08T09:00:00Z"));
    std::vector<BestScore> read;
    std::vector<std::string> problems;
    ASSERT_TRUE(ParseBestScores(FormatBestScores(scores), "scores.txt", read, problems));
    ASSERT_EQ(read.size(), 3u);
    std::vector<BestScore> current = EditionScores(read, "current");
    ASSERT_EQ(current.size(), 2u);
    EXPECT_EQ(current[0].score, 9000);
    EXPECT_EQ(current[0].date, "2026-12-08T09:00:00Z");
    EXPECT_EQ(current[1].score, 7000);
    EXPECT_EQ(EditionScores(read, "classic")[0].date, "2026-12-07T23:59:59Z");
}

TEST(BestScores, BadLinesAreEachReportedAndGoodOnesKept) {
    const std::string text =
        "# comment\n"
        "current 100 2026-12-08\n"
        "current -5 2026-12-08\n"
        "current 99999999999 2026-12-08\n"
        "Current 10 2026-12-08\n"
        "current 10\n"
        "current 10 2026-12-08 extra\n"
        "classic 20 2026-12-08\n";
    std::vector<BestScore> read;
    std::vector<std::string> problems;
    EXPECT_FALSE(ParseBestScores(text, "scores.txt", read, problems));
    ASSERT_EQ(problems.size(), 5u);
    EXPECT_NE(problems[0].find("scores.txt line 3"), std::string::npos) << problems[0];
    EXPECT_NE(problems[4].find("scores.txt line 7"), std::string::npos) << problems[4];
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].score, 100);
    EXPECT_EQ(read[1].edition, "classic");
}

TEST(BestScores, WordsMaySitBetweenTabsAndRunsOfSpacesAndLinesEndInCarriageReturns) {
    const std::string text = "  current\t 70   2026-12-08\r\n\tclassic 60\t2026-12-09  \n";
    std::vector<BestScore> read;
    std::vector<std::string> problems;
    EXPECT_TRUE(ParseBestScores(text, "scores.txt", read, problems)) << (problems.empty() ? "" : problems[0]);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].edition, "current");
    EXPECT_EQ(read[0].score, 70);
    EXPECT_EQ(read[0].date, "2026-12-08");
    EXPECT_EQ(read[1].edition, "classic");
    EXPECT_EQ(read[1].date, "2026-12-09");
}
