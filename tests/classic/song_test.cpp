// The earlier edition starts its song at start-up, whether or not the file opened.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "base/log.h"
#include "classic/edition.h"
#include "shell/start_up.h"
#include "synth/player.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"
#include "tests/support/files.h"

namespace {

std::string ReadLog() { return ReadFile("log.txt"); }

// What the audio thread does for one sequencer tick's worth of samples.
void RunTicks(int ticks) {
    for (int i = 0; i < ticks * TickLength(sequencer.tempo); ++i) {
        TakeSongRequest();
        AdvanceSequencer();
    }
}

class ClassicSong : public ::testing::Test {
protected:
    void SetUp() override {
        std::remove("log.txt");
        ResetPlayerState();
        LogEnable();
    }
    void TearDown() override {
        LogDisable();
        ResetPlayerState();
    }
};

}  // namespace

TEST_F(ClassicSong, WithoutASongFileTheSongStillStartsWithNothingToPlay) {
    LoadEditionSounds(classic::edition, "no-such-folder/");
    EXPECT_NE(ReadLog().find("\nPlay song"), std::string::npos) << ReadLog();
    EXPECT_EQ(songLength, 0);
    RunTicks(1);
    EXPECT_EQ(sequencer.songPlaying, 1);
    RunTicks(40);  // five order steps over an empty order list
    EXPECT_EQ(sequencer.player.playing, 0);
}

TEST_F(ClassicSong, TheGamesSongPlaysFromItsFirstEntry) {
    LoadEditionSounds(classic::edition, std::string(VORTANE_RUN_DIR) + "/data/");
    std::string log = ReadLog();
    ASSERT_GT(songLength, 0) << "data/zazizer.zds is built with the programs";
    size_t listing = log.find("Play song");
    ASSERT_NE(listing, std::string::npos);
    EXPECT_GT(listing, 0u) << "the song is listed as it loads, then started";
    RunTicks(1);
    EXPECT_EQ(sequencer.songPlaying, 1);
    EXPECT_EQ(sequencer.orderPos, 0);
    EXPECT_EQ(sequencer.player.playing, orderList[0] >= 0 ? 1 : 0);
}
