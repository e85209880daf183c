#include "store/player_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "store/kept_file.h"
#include "tests/support/files.h"

namespace fs = std::filesystem;

namespace {

// A preference folder of the test's own, as the shell would hand it in.
std::string Folder() {
    std::string folder = fs::current_path().string() + "/prefs/";
    fs::create_directories(folder);
    return folder;
}

void Put(const std::string& path, const std::string& text) { WriteFile(path, text); }

BestScore Entry(const std::string& edition, int32_t score) {
    BestScore entry;
    entry.edition = edition;
    entry.score = score;
    entry.date = "2026-12-08T08:00:00Z";
    return entry;
}

}  // namespace

TEST(PlayerFiles, NoFilesMeansDefaultsAndNothingToReport) {
    std::string folder = Folder();
    std::vector<std::string> report;
    EXPECT_TRUE(LoadSettings(folder, report) == Settings());
    EXPECT_TRUE(LoadBestScores(folder, report).empty());
    EXPECT_TRUE(report.empty());
    EXPECT_FALSE(fs::exists(folder + SETTINGS_FILE));
    EXPECT_FALSE(fs::exists(folder + SCORES_FILE));
}

TEST(PlayerFiles, SettingsSurviveASaveAndLoad) {
    std::string folder = Folder();
    Settings settings;
    settings.effectsVolume = 60;
    settings.musicVolume = 20;
    settings.keys[ACTION_FIRE] = "Space";
    std::vector<std::string> report;
    ASSERT_TRUE(SaveSettings(folder, settings, report));
    EXPECT_TRUE(LoadSettings(folder, report) == settings);
    EXPECT_TRUE(report.empty());
}

TEST(PlayerFiles, BadSettingsLinesAreReportedAndTheRestKept) {
    std::string folder = Folder();
    Put(folder + SETTINGS_FILE, "music-volume = 50\nmusic-volume = 500\nspeed = 3\nmute = yes\n");
    std::vector<std::string> report;
    Settings settings = LoadSettings(folder, report);
    EXPECT_EQ(settings.musicVolume, 50);
    EXPECT_TRUE(settings.mute);
    ASSERT_EQ(report.size(), 2u);
    // An editable file with a typo is the player's: it stays where it is.
    EXPECT_TRUE(fs::exists(folder + SETTINGS_FILE));
    EXPECT_FALSE(fs::exists(folder + SETTINGS_FILE + ".bad"));
}

TEST(PlayerFiles, UnreadableSettingsAreSetAsideForTheDefaults) {
    std::string folder = Folder();
    const char bytes[] = "volume = 10\n\0\x01\x02 binary";
    std::string garbage(bytes, sizeof bytes - 1);
    Put(folder + SETTINGS_FILE, garbage);
    std::vector<std::string> report;
    EXPECT_TRUE(LoadSettings(folder, report) == Settings());
    ASSERT_EQ(report.size(), 1u);
    EXPECT_NE(report[0].find("settings.conf.bad"), std::string::npos) << report[0];
    EXPECT_FALSE(fs::exists(folder + SETTINGS_FILE));
    EXPECT_EQ(ReadFile(folder + SETTINGS_FILE + ".bad"), garbage);

    // A folder where the file should be is set aside the same way.
    fs::create_directory(folder + SETTINGS_FILE);
    report.clear();
    EXPECT_TRUE(LoadSettings(folder, report) == Settings());
    ASSERT_EQ(report.size(), 1u);
    EXPECT_NE(report[0].find("not a plain file"), std::string::npos) << report[0];
}

// A pipe where the file should be has no writer: reading it would wait for ever.
TEST(PlayerFiles, APipeInPlaceOfTheSettingsIsRefusedWithoutWaiting) {
    std::string folder = Folder();
    ASSERT_EQ(mkfifo((folder + SETTINGS_FILE).c_str(), 0600), 0);
    std::vector<std::string> report;
    EXPECT_TRUE(LoadSettings(folder, report) == Settings());
    ASSERT_EQ(report.size(), 1u);
    EXPECT_NE(report[0].find("not a plain file"), std::string::npos) << report[0];
    EXPECT_FALSE(fs::exists(folder + SETTINGS_FILE));
}

TEST(PlayerFiles, CorruptScoresAreSetAsideWithoutLosingTheGoodOnes) {
    std::string folder = Folder();
    const std::string corrupt = "current 900 2026-12-01T10:00:00Z\ncurrent 9\x7f\x01 garbage\nclassic 40 x\n";
    Put(folder + SCORES_FILE, corrupt);
    std::vector<std::string> report;
    std::vector<BestScore> scores = LoadBestScores(folder, report);
    ASSERT_EQ(scores.size(), 2u);
    EXPECT_EQ(report.size(), 2u);  // the bad line, then what became of the file
    EXPECT_EQ(ReadFile(folder + SCORES_FILE + ".bad"), corrupt);
    // The good lines are back in place at once.
    std::vector<BestScore> again;
    std::vector<std::string> problems;
    EXPECT_TRUE(ParseBestScores(ReadFile(folder + SCORES_FILE), "scores.txt", again, problems));
    EXPECT_EQ(again.size(), 2u);

    ScoreRank rank;
    report.clear();
    ASSERT_TRUE(RecordBestScore(folder, Entry("current", 1000), rank, report));
    EXPECT_TRUE(rank.newBest);
    EXPECT_EQ(rank.bestBefore, 900);
    EXPECT_TRUE(report.empty());
}

TEST(PlayerFiles, ScoresSurviveAndANewBestIsTold) {
    std::string folder = Folder();
    std::vector<std::string> report;
    ScoreRank rank;
    ASSERT_TRUE(RecordBestScore(folder, Entry("current", 300), rank, report));
    EXPECT_TRUE(rank.newBest);
    ASSERT_TRUE(RecordBestScore(folder, Entry("current", 200), rank, report));
    EXPECT_FALSE(rank.newBest);
    EXPECT_EQ(rank.place, 1);
    ASSERT_TRUE(RecordBestScore(folder, Entry("classic", 10), rank, report));
    EXPECT_TRUE(rank.newBest);
    std::vector<BestScore> scores = LoadBestScores(folder, report);
    EXPECT_EQ(EditionScores(scores, "current").size(), 2u);
    EXPECT_EQ(EditionScores(scores, "classic").size(), 1u);
    EXPECT_TRUE(report.empty());
}

// Four games record their scores into one file at the same time; each keeps its
// own edition's table, so any score lost to another's write would show.
TEST(PlayerFiles, TwoWritersAtOnceLoseNoScore) {
    std::string folder = Folder();
    const int writers = 4, each = 10;
    std::vector<pid_t> children;
    for (int w = 0; w < writers; ++w) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::vector<std::string> report;
            ScoreRank rank;
            bool ok = true;
            for (int i = 1; i <= each; ++i)
                ok = RecordBestScore(folder, Entry("game" + std::to_string(w), i * 10), rank, report) && ok;
            _exit(ok && report.empty() ? 0 : 1);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::vector<std::string> report;
    std::vector<BestScore> scores = LoadBestScores(folder, report);
    for (int w = 0; w < writers; ++w) {
        std::vector<BestScore> table = EditionScores(scores, "game" + std::to_string(w));
        ASSERT_EQ(table.size(), static_cast<size_t>(each)) << "writer " << w;
        EXPECT_EQ(table.front().score, each * 10);
    }
}

TEST(PlayerFiles, BestRunIsKeptUnderTheEditionsName) {
    std::string folder = Folder();
    std::vector<std::string> report;
    ASSERT_TRUE(SaveBestRun(folder, "classic", "# vortane recording\n", report));
    EXPECT_EQ(ReadFile(folder + "best-classic.vrec"), "# vortane recording\n");
    EXPECT_EQ(BestRunFile("current"), "best-current.vrec");
}

// A writer killed mid-save leaves its temporary file; the next game clears it, but
// never one a live writer is still filling.
TEST(PlayerFiles, TemporariesOfKilledWritersAreCleared) {
    std::string folder = Folder();
    const std::string dead = folder + SETTINGS_FILE + ".tmp.999999999";
    const std::string live = folder + SETTINGS_FILE + ".tmp." + std::to_string(getpid());
    const std::string other = folder + "notes.txt.tmp.999999999";
    Put(dead, "half a file");
    Put(live, "being written");
    Put(other, "not ours");
    std::vector<std::string> report;
    LoadSettings(folder, report);
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_TRUE(report.empty());
}
