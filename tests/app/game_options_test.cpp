#include "app/game_options.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Parsed {
    bool run;
    int status;
    GameOptions options;
    std::string out, err;
};

enum class Game { Current, Classic };

// A game's command line through the games' parser, with its own option added as
// each main adds it.
Parsed Parse(Game game, std::vector<std::string> words) {
    std::vector<char*> argv;
    std::string name = game == Game::Current ? "vortane" : "vortane-classic";
    argv.push_back(name.data());
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    Parsed p;
    std::vector<CommandOption> table = GameOptionTable(p.options);
    table.push_back(game == Game::Current ? FullscreenOption(p.options) : WindowOption(p.options));
    p.status = -1;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    p.run = ParseGameCommandLine(name.c_str(), "summary", "keys\n", table, p.options,
                                 static_cast<int>(argv.size()) - 1, argv.data(), p.status);
    p.out = testing::internal::GetCapturedStdout();
    p.err = testing::internal::GetCapturedStderr();
    return p;
}

class GameOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { unsetenv("VORTANE_FPS"); }
    void TearDown() override { unsetenv("VORTANE_FPS"); }
};

TEST_F(GameOptionsTest, NoOptionsIsTheGameAsWritten) {
    Parsed p = Parse(Game::Current, {});
    ASSERT_TRUE(p.run) << p.err;
    EXPECT_EQ(p.options.fps, FPS_DISPLAY);
    EXPECT_FALSE(p.options.fullscreen);
    EXPECT_FALSE(p.options.window);
    EXPECT_FALSE(p.options.pauseUnfocused);
    EXPECT_TRUE(p.options.recordPath.empty());
    EXPECT_TRUE(p.options.replayPath.empty());
}

TEST_F(GameOptionsTest, AcceptedOptionsInBothSpellings) {
    Parsed p = Parse(Game::Current, {"--fps=30", "--fullscreen", "--pause-unfocused", "--record", "a.vrec"});
    ASSERT_TRUE(p.run) << p.err;
    EXPECT_EQ(p.options.fps, 30);
    EXPECT_TRUE(p.options.fullscreen);
    EXPECT_TRUE(p.options.pauseUnfocused);
    EXPECT_EQ(p.options.recordPath, "a.vrec");

    p = Parse(Game::Classic, {"--fps", "0", "--window", "--replay=b.vrec"});
    ASSERT_TRUE(p.run) << p.err;
    EXPECT_EQ(p.options.fps, 0);
    EXPECT_TRUE(p.options.window);
    EXPECT_EQ(p.options.replayPath, "b.vrec");
}

TEST_F(GameOptionsTest, RefusalsNameTheFaultAndExit2) {
    struct Case {
        Game game;
        std::vector<std::string> words;
        const char* named;
    };
    const Case cases[] = {
        {Game::Current, {"--fps", "fast"}, "--fps"},
        {Game::Current, {"--fps=-1"}, "--fps"},
        {Game::Current, {"--fps=1001"}, "--fps"},
        {Game::Current, {"--window"}, "--window"},
        {Game::Classic, {"--fullscreen"}, "--fullscreen"},
        {Game::Current, {"--record", "a", "--replay", "b"}, "cannot be combined"},
        {Game::Classic, {"--record"}, "--record"},
    };
    for (const Case& c : cases) {
        Parsed p = Parse(c.game, c.words);
        EXPECT_FALSE(p.run) << c.named;
        EXPECT_EQ(p.status, 2) << c.named;
        EXPECT_NE(p.err.find(c.named), std::string::npos) << p.err;
        EXPECT_NE(p.err.find("try --help"), std::string::npos) << p.err;
        EXPECT_EQ(std::count(p.err.begin(), p.err.end(), '\n'), 1) << p.err;
    }
}

TEST_F(GameOptionsTest, HelpListsEachGamesOwnOptions) {
    Parsed current = Parse(Game::Current, {"--help"});
    EXPECT_FALSE(current.run);
    EXPECT_EQ(current.status, 0);
    for (const char* option :
         {"--fps", "--fullscreen", "--pause-unfocused", "--record", "--replay", "VORTANE_FPS"}) {
        EXPECT_NE(current.out.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(current.out.find("--window"), std::string::npos);
    Parsed classic = Parse(Game::Classic, {"--help"});
    EXPECT_EQ(classic.status, 0);
    EXPECT_NE(classic.out.find("--window"), std::string::npos);
    EXPECT_EQ(classic.out.find("--fullscreen"), std::string::npos);
}

TEST_F(GameOptionsTest, EnvironmentRateWhenTheOptionIsAbsent) {
    setenv("VORTANE_FPS", "120", 1);
    EXPECT_EQ(Parse(Game::Current, {}).options.fps, 120);
    Parsed p = Parse(Game::Current, {"--fps", "30"});
    EXPECT_EQ(p.options.fps, 30) << "the option wins over the environment";
    setenv("VORTANE_FPS", "lots", 1);
    p = Parse(Game::Current, {});
    EXPECT_FALSE(p.run);
    EXPECT_EQ(p.status, 2);
    EXPECT_NE(p.err.find("VORTANE_FPS"), std::string::npos) << p.err;
    setenv("VORTANE_FPS", "", 1);
    EXPECT_EQ(Parse(Game::Current, {}).options.fps, FPS_DISPLAY) << "empty counts as unset";
}

}  // namespace
