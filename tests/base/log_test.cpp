#include "base/log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/files.h"

namespace {
std::string ReadLog() { return ReadFile("log.txt"); }

class Log : public ::testing::Test {
protected:
    // Every case runs in a fresh folder of its own (case_folder_main.cpp), so
    // log.txt is this test's alone.
    void TearDown() override { LogDisable(); }
};
}  // namespace

TEST_F(Log, FlagClearWritesNothingAndCreatesNoFile) {
    LogDisable();
    LogLine("Main: Cleaning up");
    LogLine("%i instruments", 5);
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

TEST_F(Log, LinesStartWithABreakAndTheFileEndsWithout) {
    LogEnable();
    LogLine("a");
    LogLine("b");
    EXPECT_EQ(ReadLog(), "\na\nb");
}

TEST_F(Log, AppendsAfterAnEarlierRun) {
    {
        std::ofstream earlier("log.txt", std::ios::binary);
        earlier << "\nSong loaded";
    }
    LogEnable();
    LogLine("Play song");
    EXPECT_EQ(ReadLog(), "\nSong loaded\nPlay song");
}

TEST_F(Log, FormatsLikePrintf) {
    LogEnable();
    LogLine("%i: %X", 7, 0x1A2);
    LogLine("Song title: \"%s\"", "zazizer");
    LogLine(" Average buffer CPU time: %.2f%%", 1.5);
    EXPECT_EQ(ReadLog(), "\n7: 1A2\nSong title: \"zazizer\"\n Average buffer CPU time: 1.50%");
}

TEST_F(Log, DisableStopsWritingAtOnce) {
    LogEnable();
    LogLine("kept");
    LogDisable();
    LogLine("dropped");
    EXPECT_EQ(ReadLog(), "\nkept");
    EXPECT_FALSE(LogEnabled());
}

TEST_F(Log, OverLongMessageIsCutToTheBuffer) {
    std::string name(5000, 'x');
    name[LOG_BUFFER_SIZE - 2] = 'y';  // the last character that fits
    LogEnable();
    LogLine("%s", name.c_str());
    LogLine("next");
    std::string expected = "\n" + name.substr(0, LOG_BUFFER_SIZE - 1) + "\nnext";
    EXPECT_EQ(ReadLog(), expected);
}

TEST_F(Log, UnwritableLogIsIgnored) {
    std::filesystem::create_directory("log.txt");  // a folder where the file would go
    LogEnable();
    LogLine("nowhere to go");
    EXPECT_TRUE(std::filesystem::is_directory("log.txt"));
}
