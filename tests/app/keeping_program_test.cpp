// What the games keep for the player, seen from outside: each case gives the
// program a home and a data folder of its own and plays a short recording, which
// ends the game by itself.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <filesystem>
#include <string>
#include <vector>

#include "store/best_scores.h"
#include "store/player_files.h"
#include "store/settings.h"
#include "tests/support/display.h"
#include "tests/support/files.h"
#include "tests/support/programs.h"

namespace fs = std::filesystem;

namespace {

const std::string PROGRAM = std::string(VORTANE_RUN_DIR) + "/vortane";
const std::string SHORT_RUN =
    "# vortane recording\n# edition current\n# seed 1765123456\n19\n23 FIRE RIGHT\n2 KEY1 FIRE\n1 ESC\n"
    "# end steps 45 score -20 rand 370464005\n";

struct GameRun {
    int status;
    std::string err;
};

class Keeping : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::current_path().string();
        fs::create_directories(root + "/home");
        fs::create_directories(root + "/data");
        WriteFile(root + "/short.vrec", SHORT_RUN);
    }

    std::string Folder() const { return root + "/data/vortane/"; }

    GameRun Play(const std::vector<std::string>& options, const std::vector<std::string>& environment = {}) {
        std::vector<std::string> argv = {PROGRAM, "--fps", "0"};
        argv.insert(argv.end(), options.begin(), options.end());
        // The libraries under the game (the sound server's client) keep their own
        // files; they go to folders of their own, so home and data are the game's.
        std::vector<std::string> env = {"HOME=" + root + "/home", "XDG_DATA_HOME=" + root + "/data",
                                        "XDG_CONFIG_HOME=" + root + "/libraries/config",
                                        "XDG_CACHE_HOME=" + root + "/libraries/cache"};
        env.insert(env.end(), environment.begin(), environment.end());
        Child child = StartChild(argv, "", env, "", "stderr.txt");
        int status = WaitChild(child, 30000);
        return {status, ReadFile("stderr.txt")};
    }

    Child Start(const std::vector<std::string>& options) {
        std::vector<std::string> argv = {PROGRAM, "--fps", "0"};
        argv.insert(argv.end(), options.begin(), options.end());
        std::vector<std::string> env = {"HOME=" + root + "/home", "XDG_DATA_HOME=" + root + "/data"};
        return StartChild(argv, "", env, "", "stderr.txt");
    }

    bool Empty(const std::string& folder) const { return fs::is_empty(root + "/" + folder); }

    std::string root;
};

}  // namespace

TEST_F(Keeping, FirstRunLeavesTheCommentedDefaults) {
    GameRun run = Play({"--replay", "short.vrec"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string text = ReadFile(Folder() + "settings.conf");
    ASSERT_FALSE(text.empty());
    Settings read;
    std::vector<std::string> problems;
    ParseSettings(text, "settings.conf", read, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(read == Settings());
    EXPECT_TRUE(Empty("home"));
}

TEST_F(Keeping, NoSaveTouchesNoFile) {
    GameRun run = Play({"--no-save", "--replay", "short.vrec"});
    EXPECT_EQ(run.status, 0) << run.err;
    run = Play({"--replay", "short.vrec"}, {"VORTANE_NO_SAVE=1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Empty("home"));
    EXPECT_TRUE(Empty("data"));
}

TEST_F(Keeping, BadSettingsAreReportedOneLineEachAndKept) {
    fs::create_directories(Folder());
    const std::string text = "volume = 80\nvolume = loud\nwarp = 9\nkey-fire = NoSuchKey\n";
    WriteFile(Folder() + "settings.conf", text);
    GameRun run = Play({"--replay", "short.vrec"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("line 2: bad value \"loud\" for volume"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 3: unknown setting \"warp\""), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("unknown key name \"NoSuchKey\" for key-fire"), std::string::npos) << run.err;
    // Nothing changed while playing: the player's file stays as written.
    EXPECT_EQ(ReadFile(Folder() + "settings.conf"), text);
}

TEST_F(Keeping, CorruptSettingsAreSetAsideAndTheGamePlays) {
    fs::create_directories(Folder());
    const std::string garbage("\x7f\x45\x4c\x46\x02\x01\x01\x00\x00", 9);
    WriteFile(Folder() + "settings.conf", garbage);
    GameRun run = Play({"--replay", "short.vrec"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("settings.conf.bad"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(Folder() + "settings.conf.bad"), garbage);
    // The defaults take the file's place, for the player to edit.
    Settings read;
    std::vector<std::string> problems;
    ParseSettings(ReadFile(Folder() + "settings.conf"), "settings.conf", read, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(read == Settings());
}

TEST_F(Keeping, ReplayBestPlaysTheKeptBestGame) {
    GameRun missing = Play({"--replay", "best"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("no best game kept yet"), std::string::npos) << missing.err;

    fs::create_directories(Folder());
    WriteFile(Folder() + "best-current.vrec", SHORT_RUN);
    GameRun kept = Play({"--replay", "best"});
    EXPECT_EQ(kept.status, 0) << kept.err;
}

// The settings at work in a recorded session: the control mode is chosen on the
// first step as its digit key would, fire is on another key, and the volume keys
// (the effects', and with Shift the music's) change the file.
TEST_F(Keeping, SettingsChooseTheModeAndKeysAndAVolumeKeyIsSaved) {
    fs::create_directories(Folder());
    WriteFile(Folder() + "settings.conf", "control-mode = 1\nkey-fire = Space\n");
    Child game = Start({"--record", "run.vrec"});
    ASSERT_GT(game.pid, 0);
    ASSERT_TRUE(WaitFor([&] {
        unsigned long window = FindWindowByTitle("vortane");
        return window != 0 && FocusedXWindow() == window;
    }));
    // Keys pressed during a slow start-up (a sanitizer build) would all land on the
    // first step; the recording puts out its first line after a second of steps.
    ASSERT_TRUE(WaitFor([] {
        std::string text = ReadFile("run.vrec");
        size_t seed = text.find("# seed ");
        return seed != std::string::npos && text.find('\n', text.find('\n', seed) + 1) != std::string::npos;
    }));
    FakeKey(XK_minus, true);
    FakeKey(XK_minus, false);
    // With Shift the same key steps the music. Presses apart in time, as typed: a
    // release and a press of one key at the same moment read as the key repeating.
    FakeKey(XK_Shift_L, true);
    for (int i = 0; i < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        FakeKey(XK_minus, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        FakeKey(XK_minus, false);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    FakeKey(XK_Shift_L, false);
    FakeKey(XK_space, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    FakeKey(XK_space, false);
    FakeKey(XK_Escape, true);
    int status = WaitChild(game, 20000);
    FakeKey(XK_Escape, false);
    ASSERT_EQ(status, 0) << ReadFile("stderr.txt");

    std::string recording = ReadFile("run.vrec");
    EXPECT_NE(recording.find("# seed "), std::string::npos);
    std::string firstStep = recording.substr(recording.find('\n', recording.find("# seed ")) + 1);
    firstStep = firstStep.substr(0, firstStep.find('\n'));
    // The first step holds KEY1 (and whatever the player already held then).
    EXPECT_EQ(firstStep.rfind("1 KEY1", 0), 0u) << recording;
    EXPECT_NE(recording.find(" FIRE\n"), std::string::npos) << "Space did not fire:\n" << recording;

    Settings saved;
    std::vector<std::string> problems;
    ParseSettings(ReadFile(Folder() + "settings.conf"), "settings.conf", saved, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(saved.effectsVolume, 90);
    EXPECT_EQ(saved.musicVolume, 80);
    EXPECT_EQ(saved.controlMode, 1);
    EXPECT_EQ(saved.keys[ACTION_FIRE], "Space");
}

// A game played to its end: fire held and never a step aside, until the enemies
// have taken every life. The score goes into the table, and the game, a new best,
// is kept as a recording that the simulator replays to the same score.
TEST_F(Keeping, GameOverKeepsTheScoreAndTheBestGame) {
    Child game = Start({});
    ASSERT_GT(game.pid, 0);
    unsigned long window = 0;
    ASSERT_TRUE(WaitFor([&] {
        window = FindWindowByTitle("vortane");
        return window != 0 && FocusedXWindow() == window;
    }));
    FakeKey(XK_z, true);
    const std::string scores = Folder() + SCORES_FILE;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(4);
    while (!fs::exists(scores) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    FakeKey(XK_z, false);
    FakeKey(XK_Escape, true);
    int status = WaitChild(game, 20000);
    FakeKey(XK_Escape, false);
    ASSERT_TRUE(fs::exists(scores)) << "no game over within four minutes";
    EXPECT_EQ(status, 0) << ReadFile("stderr.txt");

    std::vector<BestScore> kept;
    std::vector<std::string> problems;
    ASSERT_TRUE(ParseBestScores(ReadFile(scores), "scores.txt", kept, problems));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].edition, "current");
    EXPECT_GT(kept[0].score, 0);

    const std::string best = Folder() + "best-current.vrec";
    std::string recording = ReadFile(best);
    EXPECT_NE(recording.find(" score " + std::to_string(kept[0].score) + " rand "), std::string::npos)
        << recording;
    // The simulator replays it to the step, score and generator state of its end line.
    std::string trace;
    ASSERT_EQ(
        RunTool({std::string(VORTANE_RUN_DIR) + "/vortane-sim", "--replay", best, "--every", "1000000000"},
                &trace),
        0);
    std::string endLine = recording.substr(recording.rfind("# end steps "));
    std::string steps = endLine.substr(12, endLine.find(' ', 12) - 12);
    std::string rand = endLine.substr(endLine.rfind(' ') + 1);
    rand = rand.substr(0, rand.find('\n'));
    std::string last = trace.substr(trace.rfind("{\"step\":"));
    EXPECT_EQ(last.rfind("{\"step\":" + steps + ",", 0), 0u) << endLine;
    EXPECT_NE(last.find("\"score\":" + std::to_string(kept[0].score) + ","), std::string::npos) << endLine;
    EXPECT_NE(last.find("\"rand\":" + rand + "}"), std::string::npos) << endLine;
}
