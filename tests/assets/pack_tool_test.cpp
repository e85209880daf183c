// The zonder-pack program itself: --dump of every built sound and the song
// compiles back to the same bytes, the output name follows the extension, and
// a broken source fails with FILE:LINE on stderr.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/files.h"
#include "tests/support/programs.h"

namespace {

const std::string RUN = VORTANE_RUN_DIR "/";
const std::string SOURCE = VORTANE_SOURCE_DIR "/";

int Pack(const std::string& arguments) { return RunShell(RUN + "zonder-pack " + arguments).status; }

}  // namespace

TEST(PackTool, DumpThenPackGivesEveryDataFileBack) {
    const struct {
        const char* data;
        const char* text;
    } files[] = {{"shot.zdi", "shot.zit"}, {"explode.zdi", "explode.zit"}, {"pickup.zdi", "pickup.zit"},
                 {"die.zdi", "die.zit"},   {"levelup.zdi", "levelup.zit"}, {"zazizer.zds", "zazizer.zst"}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.data);
        const std::string original = RUN + "data/" + f.data;
        ASSERT_EQ(Pack("--dump " + original + " > " + f.text), 0);
        // No -o: the binary lands beside the text, named by its extension.
        ASSERT_EQ(Pack(f.text), 0);
        const std::string again = std::string(f.text).substr(0, std::string(f.text).size() - 4) +
                                  (std::string(f.data).substr(std::string(f.data).size() - 4));
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
