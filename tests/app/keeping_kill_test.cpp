// The game killed (SIGKILL) while it keeps the player's files: the volume keys
// save the settings again and again and fire held plays game after game, each
// game over writing the scores and a new best the best game. Every round kills it
// at another moment; each file must then be whole, old or new, never a mix, and
// the next start must read it without setting anything aside.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "game/recording.h"
#include "store/best_scores.h"
#include "store/player_files.h"
#include "store/settings.h"
#include "tests/support/display.h"
#include "tests/support/files.h"
#include "tests/support/programs.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const std::string PROGRAM = std::string(VORTANE_RUN_DIR) + "/vortane";
// A game held on fire ends in about 1,500 steps; unpaced that is seconds with a
// graphics card, but software drawing on a loaded machine may take minutes. A
// round whose moment does not come in time kills the game then.
constexpr auto GAME_OVER_WAIT = std::chrono::minutes(3);
constexpr auto ROUND_WAIT = std::chrono::seconds(90);

// When a round kills the game.
enum class Moment {
    FirstScores,    // right after the first scores file appears
    AfterPress,     // a volume key's save under way: the given time after its press
    ScoresChanged,  // right after the scores file changes: the best game may be being written
};

struct Round {
    Moment moment;
    int delayUs;  // after the moment
};

// A game over takes half a minute or more under software drawing, so only the
// first round and the last wait for one; the others kill among the settings saves.
const Round ROUNDS[] = {
    {Moment::FirstScores, 0},   {Moment::AfterPress, 0},    {Moment::AfterPress, 400},
    {Moment::AfterPress, 1500}, {Moment::ScoresChanged, 0},
};
// Presses before an AfterPress round's last one: by then the game reads keys.
constexpr int PRESSES_BEFORE = 30;

fs::file_time_type ChangedAt(const std::string& path) {
    std::error_code error;
    fs::file_time_type when = fs::last_write_time(path, error);
    return error ? fs::file_time_type::min() : when;
}

class KeepingKilled : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::current_path().string() + "/killed";
        fs::remove_all(root);
        fs::create_directories(root + "/home");
        fs::create_directories(root + "/data");
        folder = root + "/data/vortane/";
    }

    Child Start(const std::string& errFile, const std::vector<std::string>& options = {}) {
        std::vector<std::string> argv = {PROGRAM, "--fps", "0"};
        argv.insert(argv.end(), options.begin(), options.end());
        std::vector<std::string> env = {"HOME=" + root + "/home", "XDG_DATA_HOME=" + root + "/data",
                                        "XDG_CONFIG_HOME=" + root + "/libraries/config",
                                        "XDG_CACHE_HOME=" + root + "/libraries/cache"};
        return StartChild(argv, "", env, "", errFile);
    }

    // Plays until the round's moment, pressing the volume keys all the while, and
    // kills the game.
    void PlayAndKill(const Round& round, const std::string& errFile) {
        Child game = Start(errFile);
        ASSERT_GT(game.pid, 0);
        ASSERT_TRUE(WaitFor([&] {
            unsigned long window = FindWindowByTitle("vortane");
            return window != 0 && FocusedXWindow() == window;
        })) << ReadFile(errFile);
        FakeKey(XK_z, true);
        const std::string scores = folder + SCORES_FILE;
        fs::file_time_type scoresBefore = ChangedAt(scores);
        Clock::time_point start = Clock::now();
        Clock::time_point deadline =
            start + (round.moment == Moment::FirstScores ? GAME_OVER_WAIT : ROUND_WAIT);
        int presses = 0;
        Clock::time_point nextPress = start;
        while (Clock::now() < deadline) {
            bool reached = false;
            switch (round.moment) {
                case Moment::FirstScores:
                    reached = fs::exists(scores);
                    break;
                case Moment::AfterPress:
                    reached = presses > PRESSES_BEFORE;
                    break;
                case Moment::ScoresChanged:
                    reached = ChangedAt(scores) != scoresBefore;
                    break;
            }
            if (reached) {
                std::this_thread::sleep_for(std::chrono::microseconds(round.delayUs));
                break;
            }
            // Minus and equals by turns, each a settings save.
            if (Clock::now() >= nextPress) {
                unsigned long key = presses % 2 ? XK_equal : XK_minus;
                FakeKey(key, true);
                FakeKey(key, false);
                presses += 1;
                // Each save forces the disk, which slows the game: while a round
                // waits for a game over the saves come seldom.
                nextPress =
                    Clock::now() + std::chrono::milliseconds(round.moment == Moment::AfterPress ? 15 : 250);
            }
            if (round.moment != Moment::AfterPress) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::printf("round killed after %.1f s, %d presses\n",
                    std::chrono::duration<double>(Clock::now() - start).count(), presses);
        kill(game.pid, SIGKILL);
        int status = WaitChild(game, 20000);
        FakeKey(XK_z, false);
        EXPECT_EQ(status, -2 - SIGKILL) << ReadFile(errFile);
    }

    // Each kept file, if there, is one the game wrote whole.
    void ExpectWholeFiles(size_t& scoresBefore) {
        std::vector<std::string> problems;
        if (fs::exists(folder + SETTINGS_FILE)) {
            std::string text = ReadFile(folder + SETTINGS_FILE);
            Settings read;
            ParseSettings(text, "settings.conf", read, problems);
            EXPECT_TRUE(problems.empty()) << problems.front();
            EXPECT_EQ(text, FormatSettings(read)) << "settings.conf is not as the game writes it";
        }
        int32_t best = 0;
        if (fs::exists(folder + SCORES_FILE)) {
            std::string text = ReadFile(folder + SCORES_FILE);
            std::vector<BestScore> kept;
            EXPECT_TRUE(ParseBestScores(text, "scores.txt", kept, problems)) << problems.front();
            EXPECT_EQ(text, FormatBestScores(kept)) << "scores.txt is not as the game writes it";
            // A kill never costs a score already kept.
            EXPECT_GE(kept.size(), scoresBefore);
            scoresBefore = kept.size();
            if (!kept.empty()) best = EditionScores(kept, "current")[0].score;
        }
        const std::string run = folder + BestRunFile("current");
        if (fs::exists(run)) {
            std::istringstream text(ReadFile(run));
            Recording recording;
            std::string error;
            EXPECT_TRUE(ParseRecording(text, "best-current.vrec", recording, error)) << error;
            // The scores are written first, so the best game kept is never ahead of them.
            EXPECT_LE(recording.score, best);
        }
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_NE(entry.path().extension(), ".bad") << entry.path() << " was set aside";
    }

    std::string root;
    std::string folder;
};

}  // namespace

TEST_F(KeepingKilled, EveryKeptFileIsOldOrNewAndTheNextStartReadsIt) {
    size_t scores = 0;
    int round = 0;
    for (const Round& r : ROUNDS) {
        std::string errFile = "killed-" + std::to_string(round) + ".txt";
        PlayAndKill(r, errFile);
        if (HasFatalFailure()) return;
        ASSERT_TRUE(fs::exists(folder + SCORES_FILE)) << "no game over within the wait";
        ExpectWholeFiles(scores);
        // The next start reads what the last one left: no line about any file.
        if (round > 0) {
            std::string err = ReadFile(errFile);
            EXPECT_EQ(err.find(".bad"), std::string::npos) << err;
            EXPECT_EQ(err.find("corrupt"), std::string::npos) << err;
            EXPECT_EQ(err.find("cannot be read"), std::string::npos) << err;
        }
        round += 1;
    }
    // A last start, a replay that ends by itself, reads the settings and clears the
    // temporary files the killed games left.
    WriteFile(
        root + "/short.vrec",
        "# vortane recording\n# edition current\n# seed 1765123456\n19\n23 FIRE RIGHT\n2 KEY1 FIRE\n1 ESC\n"
        "# end steps 45 score -20 rand 370464005\n");
    Child last = Start("last.txt", {"--replay", root + "/short.vrec"});
    EXPECT_EQ(WaitChild(last, 30000), 0) << ReadFile("last.txt");
    std::string err = ReadFile("last.txt");
    EXPECT_EQ(err.find("settings.conf"), std::string::npos) << err;
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find("settings.conf.tmp."), std::string::npos)
            << entry.path();
    ExpectWholeFiles(scores);
    EXPECT_GE(scores, 1u);
}
