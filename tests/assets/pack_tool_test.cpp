// The zonder-pack program itself: --dump of every built sound and the song
// compiles back to the same bytes, the output name follows the extension, and
// a broken source fails with FILE:LINE on stderr.

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "assets/manifest.h"
#include "tests/support/files.h"
#include "tests/support/programs.h"

namespace {

const std::string RUN = VORTANE_RUN_DIR "/";
const std::string SOURCE = VORTANE_SOURCE_DIR "/";

int Pack(const std::string& arguments) { return RunShell(RUN + "zonder-pack " + arguments).status; }

}  // namespace

TEST(PackTool, DumpThenPackGivesEveryDataFileBack) {
    // The manifest's sound effects and song; the text form of NAME.zdi is NAME.zit,
    // of NAME.zds NAME.zst.
    std::vector<std::string> files(std::begin(SOUND_EFFECT_FILES), std::end(SOUND_EFFECT_FILES));
    files.push_back(SONG_FILE);
    for (const std::string& data : files) {
        SCOPED_TRACE(data);
        const std::string stem = data.substr(0, data.size() - 4);
        const std::string text = stem + (data.back() == 'i' ? ".zit" : ".zst");
        const std::string original = RUN + "data/" + data;
        ASSERT_EQ(Pack("--dump " + original + " > " + text), 0);
        // No -o: the binary lands beside the text, named by its extension.
        ASSERT_EQ(Pack(text), 0);
        const std::string again = stem + data.substr(data.size() - 4);
        const std::string bytes = ReadFile(again);
        ASSERT_FALSE(bytes.empty());
        EXPECT_TRUE(bytes == ReadFile(original)) << again << " differs from " << original;
    }
}

TEST(PackTool, BrokenSourceFailsNamingFileAndLine) {
    const std::string bad = SOURCE + "tests/bad/text_instrument_points_falling.zit";
    EXPECT_EQ(Pack(bad + " -o never.zdi 2> errors.txt"), 2);
    EXPECT_NE(ReadFile("errors.txt").find(bad + ":6: "), std::string::npos) << ReadFile("errors.txt");
    EXPECT_TRUE(ReadFile("never.zdi").empty()) << "nothing is written for a broken source";
    EXPECT_NE(Pack("--dump " + SOURCE + "tests/bad/song_length_16385.zds > /dev/null 2>&1"), 0);
    EXPECT_NE(Pack("unknown.txt 2> /dev/null"), 0);
}
