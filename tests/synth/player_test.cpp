#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/log.h"
#include "synth/player.h"
#include "synth/song_file.h"
#include "synth/voices.h"
#include "tests/support/files.h"
#include "tests/support/folders.h"
#include "tests/synth/zonder_bytes.h"

// The ALSA and JACK plugins the audio library loads keep allocations of their
// own and are unloaded before the leak check, which then cannot name them; our
// own leaks are checked by the other test programs.
extern "C" const char* __lsan_default_options() { return "detect_leaks=0"; }

// Runs on whatever the machine has: a sound server, a card, or nothing. Without
// a device the one line on stderr is all the terminal sees; with one, nothing.
TEST(Player, StartsAndStopsWithOrWithoutAnOutputDevice) {
    ScratchDir scratch;
    testing::internal::CaptureStderr();
    StartPlayer();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1) << err;

    ZonderBytes song;
    song.Text("s").U8(1).Append(InstrumentBytes("tone", 0, 0)).U8(0).U16(0);
    std::FILE* file = FileOf(song.data);
    ASSERT_TRUE(LoadSong(file));
    std::fclose(file);
    ASSERT_NE(songInstruments[0], nullptr);
    TriggerNote(songInstruments[0], 48, 4);

    std::remove("log.txt");
    LogEnable();
    StopPlayer();
    LogDisable();
    std::vector<std::string> lines = Lines(ReadFile("log.txt"));
    const char* starts[] = {
        "",           "Zonder stats:", " Average buffer time: ", " Average buffer CPU time: ",
        " Runtime: ", " Buffersize: ", " Average buffers/sec: "};
    ASSERT_EQ(lines.size(), 7u);
    for (size_t i = 0; i < lines.size(); i++) EXPECT_EQ(lines[i].rfind(starts[i], 0), 0u) << lines[i];
    for (const std::string& line : lines) EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    for (Instrument* instrument : songInstruments) EXPECT_EQ(instrument, nullptr);
}
