#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "synth/player.h"
#include "synth/render_audio.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"
#include "synth/voices.h"
#include "tests/synth/zonder_bytes.h"

namespace {
// Patterns whose channel-0 rows play notes 0, 1, 2, ... so the staged note on
// voice 3 tells which row a tick played; pattern p adds 40 × p.
ZonderBytes CountingPattern(int p, int length) {
    std::vector<std::pair<int, int>> rows;
    ZonderBytes b = PatternBytes(length, "count");
    for (int r = 0; r < 8 * length; r++) {
        size_t at = 4 + 8 + 260 + 4 * r;
        int32_t note = 40 * p + r;
        for (int k = 0; k < 4; k++) b.data[at + k] = static_cast<uint8_t>(note >> (8 * k));
    }
    return b;
}

void LoadTestSong(std::vector<int> lengths, std::vector<int> orders) {
    ResetPlayerState();
    ZonderBytes b;
    b.Text("seq").U8(1).Append(InstrumentBytes("tone", 0, 0));
    b.U8(static_cast<int>(lengths.size()));
    for (size_t p = 0; p < lengths.size(); p++) b.Append(CountingPattern(static_cast<int>(p), lengths[p]));
    b.U16(static_cast<int>(orders.size()));
    for (int o : orders) b.U16(o < 0 ? 0xFFFF : o);
    std::FILE* file = FileOf(b.data);
    ASSERT_TRUE(LoadSong(file));
    std::fclose(file);
}

// The row each tick played on channel 0 (-1: none), for `ticks` ticks after PlaySong.
std::vector<int> PlayedNotes(int ticks) {
    PlaySong();
    TakeSongRequest();
    std::vector<int> played;
    for (int t = 0; t < ticks; t++) {
        stagedVoices[3].note = -1;
        liveVoices[3].active = 0;  // keep every trigger on the idle path
        liveVoices[3].note = -1;
        SequencerTick();
        played.push_back(liveVoices[3].note);
    }
    return played;
}

std::vector<int> Range(int from, int count) {
    std::vector<int> r;
    for (int i = 0; i < count; i++) r.push_back(from + i);
    return r;
}

std::vector<int> Concat(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

TEST(Sequencer, TickLengthFollowsTheTempoWithIntegerDivisions) {
    EXPECT_EQ(TickLength(95), 2940);
    EXPECT_EQ(TickLength(100), 2756);
    EXPECT_EQ(TickLength(0), 44100);  // never a division by zero
}

TEST(Sequencer, FirstOrderEntryStartsOneTickAfterPlaySong) {
    LoadTestSong({1}, {0});
    Instrument* tone = songInstruments[0];
    ASSERT_NE(tone, nullptr);
    std::vector<float> out(2940);
    PlaySong();
    RenderAudio(out.data(), 2939);
    EXPECT_FALSE(liveVoices[3].active);
    EXPECT_FALSE(liveVoices[3].pending);
    RenderAudio(out.data(), 1);  // sample 2940: the first tick plays row 0
    EXPECT_EQ(sequencer.orderPos, 0);
    EXPECT_TRUE(sequencer.player.playing);
    EXPECT_EQ(liveVoices[3].note, 0);
    EXPECT_EQ(liveVoices[3].instrument, tone);
}

TEST(Sequencer, PatternsPlayTheirRowsAndTheOrderListLoops) {
    struct Case {
        const char* what;
        std::vector<int> lengths, orders;
        std::vector<int> expected;
    };
    std::vector<int> idle8(8, -1);
    std::vector<Case> cases = {
        {"length 1 then empty", {1}, {0, -1}, Concat(Range(0, 8), idle8)},
        {"length 2 runs on over an empty entry", {2}, {0, -1}, Concat(Range(0, 16), Range(0, 8))},
        {"length 2 cut by the next entry", {2, 1}, {0, 1}, Concat(Range(0, 8), Range(40, 8))},
        {"three entries loop",
         {1, 1, 1},
         {0, 1, 2},
         Concat(Concat(Range(0, 8), Range(40, 8)), Concat(Range(80, 8), Range(0, 8)))},
    };
    for (const Case& c : cases) {
        LoadTestSong(c.lengths, c.orders);
        EXPECT_EQ(PlayedNotes(static_cast<int>(c.expected.size())), c.expected) << c.what;
    }
}

TEST(Sequencer, NoteOffRowReleasesAndEmptyRowsTriggerNothing) {
    ResetPlayerState();
    ZonderBytes b;
    b.Text("off").U8(2).Append(InstrumentBytes("tone", 0, 0)).Append(InstrumentBytes("shot", 1, 0));
    b.U8(1).Append(PatternBytes(1, "p", {{48, 0}, {-2, 0}, {-3, 0}, {50, 1}, {-2, 0}}));
    b.U16(1).U16(0);
    std::FILE* file = FileOf(b.data);
    ASSERT_TRUE(LoadSong(file));
    std::fclose(file);
    PlaySong();
    TakeSongRequest();
    SequencerTick();  // row 0: note 48
    VoiceControlTick();
    ASSERT_TRUE(liveVoices[3].active);
    SequencerTick();  // row 1: note-off
    EXPECT_FLOAT_EQ(liveVoices[3].releasePos, 0.001f);
    EXPECT_FALSE(liveVoices[4].active);
    Voice before = liveVoices[3];
    SequencerTick();  // row 2: -3 on every channel
    EXPECT_EQ(std::memcmp(&before, &liveVoices[3], sizeof(Voice)), 0);
}

TEST(Sequencer, MissingSongOrPatternReadsNothing) {
    ResetPlayerState();
    songLength = 0;
    for (int t = 0; t < 50; t++) SequencerTick();  // idle
    PlaySong();
    TakeSongRequest();
    for (int t = 0; t < 50; t++) SequencerTick();
    EXPECT_FALSE(sequencer.player.playing);
    EXPECT_EQ(sequencer.orderPos, 0);
    // An order entry naming a slot with no pattern starts nothing.
    LoadTestSong({1}, {0, 0});
    orderList[1] = 999;
    orderList[0] = 5000;
    std::vector<int> played = PlayedNotes(24);
    EXPECT_EQ(played, std::vector<int>(24, -1));
}

// The audio thread reads the song's records once it plays, so a second load is
// refused until the player is reset, and leaves the song as it was.
TEST(Sequencer, LoadSongRefusesWhileTheSongPlays) {
    LoadTestSong({1, 2}, {0, 1});
    const Pattern* first = patterns[0];
    PlaySong();
    ZonderBytes other;
    other.Text("other").U8(0).U8(0).U16(1).U16(0xFFFF);
    std::FILE* file = FileOf(other.data);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadSong(file, "other.zds"));
    std::string err = testing::internal::GetCapturedStderr();
    std::fclose(file);
    EXPECT_EQ(err, "vortane: other.zds: a song is playing; file refused\n");
    EXPECT_EQ(songLength, 2);
    EXPECT_EQ(patterns[0], first);
    EXPECT_NE(songInstruments[0], nullptr);

    ResetPlayerState();
    file = FileOf(other.data);
    EXPECT_TRUE(LoadSong(file, "other.zds"));
    std::fclose(file);
    EXPECT_EQ(songLength, 1);
}
