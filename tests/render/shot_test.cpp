// vortane-shot end to end: its arguments, and one whole frame of the running game
// against the committed reference picture.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/render/targa_files.h"
#include "tests/render/test_textures.h"
#include "tests/support/files.h"
#include "tests/support/programs.h"
#include "tools/png_frame.h"

namespace {

const std::string SHOT = std::string(VORTANE_RUN_DIR) + "/vortane-shot";
const std::string GOLDEN_FRAME =
    std::string(VORTANE_SOURCE_DIR) + "/tests/golden/frames/current_seed3_steps420.png";

// Runs vortane-shot with `arguments`; returns its exit status (-1 if it did not exit).
int RunShot(const std::string& arguments) { return RunShell("'" + SHOT + "' " + arguments).status; }

TEST(ShotTool, RefusesBadArgumentsWithStatusTwo) {
    std::string out = "never.png";
    const std::string cases[] = {
        "--steps 5",  // no --out
        "--bogus --out " + out,
        "--seed abc --out " + out,
        "--seed -1 --out " + out,
        "--seed 4294967296 --out " + out,
        "--steps 12x --out " + out,
        "--edition future --out " + out,
        "--renderer software --out " + out,
        "--renderer --out " + out,
        "--input no-such-script.txt --out " + out,
        "--out",
    };
    for (const std::string& arguments : cases) {
        EXPECT_EQ(RunShot(arguments), 2) << arguments;
        EXPECT_FALSE(FileExists(out)) << arguments;
    }
}

TEST(ShotTool, DrawsTheEarlierEditionAtItsOwnSize) {
    std::string frame = "classic.png";
    int status = RunShot("--edition classic --steps 30 --data no-such-folder --out " + frame);
    ASSERT_EQ(status, 0);
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
    std::string error;
    ASSERT_TRUE(ReadPngRGB(frame, rgb, width, height, error)) << error;
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
}

TEST(ShotTool, RefusesABadInputScript) {
    std::string script = "bad-script.txt";
    std::ofstream(script) << "10 FIRE\n5 WARP\n";
    EXPECT_EQ(RunShot("--input " + script + " --out " + "never.png"), 2);
}

TEST(ShotTool, DrawsTheSameFrameAsTheReference) {
    std::string data = "data/";
    mkdir(data.c_str(), 0755);
    WriteTestTextures(data);
    std::string script = "script.txt";
    // Fly and shoot through a few waves, so that shots, sparks, shockwaves,
    // enemies, droppings and the score all show.
    std::ofstream(script) << "# reference frame\n"
                             "90 FIRE LEFT\n"
                             "60 FIRE UP\n"
                             "120 FIRE RIGHT\n"
                             "80 FIRE DOWN\n"
                             "70 FIRE\n";
    std::string frame = "frame.png";
    ASSERT_EQ(RunShot("--seed 3 --steps 420 --input " + script + " --data " + data + " --out " + frame), 0);

    std::vector<uint8_t> actual, expected;
    int width = 0, height = 0, goldenWidth = 0, goldenHeight = 0;
    std::string error;
    ASSERT_TRUE(ReadPngRGB(frame, actual, width, height, error)) << error;
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    if (std::getenv("VORTANE_UPDATE_GOLDEN")) {
        ASSERT_TRUE(WritePngRGB(GOLDEN_FRAME, actual, width, height, error)) << error;
        GTEST_SKIP() << "reference frame rewritten: " << GOLDEN_FRAME;
    }
    ASSERT_TRUE(ReadPngRGB(GOLDEN_FRAME, expected, goldenWidth, goldenHeight, error)) << error;
    ASSERT_EQ(goldenWidth, width);
    ASSERT_EQ(goldenHeight, height);

    // llvmpipe draws the same bits every run; the tolerance only absorbs rounding
    // differences between CPUs, and a handful of edge pixels.
    const int tolerance = 3;
    int differing = 0, worst = 0;
    for (size_t i = 0; i < actual.size(); ++i) {
        int d = std::abs(int(actual[i]) - int(expected[i]));
        if (d > worst) worst = d;
        if (d > tolerance) ++differing;
    }
    EXPECT_LE(differing, 30) << "channels off by more than " << tolerance << ": " << differing << ", worst "
                             << worst << " (frame kept in " << frame << ")";
}

TEST(ShotTool, Gles2RendererDrawsTheReferenceSceneWithinTwoOfFixedFunction) {
    std::string data = "data/";
    mkdir(data.c_str(), 0755);
    WriteTestTextures(data);
    std::string script = "script.txt";
    std::ofstream(script) << "90 FIRE LEFT\n60 FIRE UP\n120 FIRE RIGHT\n80 FIRE DOWN\n70 FIRE\n";
    std::string run = "--seed 3 --steps 420 --input " + script + " --data " + data;
    std::string fixedFrame = "fixed.png", gles2Frame = "gles2.png";
    ASSERT_EQ(RunShot(run + " --renderer fixed --out " + fixedFrame), 0);
    ASSERT_EQ(RunShot(run + " --renderer gles2 --out " + gles2Frame), 0);

    std::vector<uint8_t> fixed, gles2;
    int width = 0, height = 0;
    std::string error;
    ASSERT_TRUE(ReadPngRGB(fixedFrame, fixed, width, height, error)) << error;
    ASSERT_TRUE(ReadPngRGB(gles2Frame, gles2, width, height, error)) << error;
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    ASSERT_EQ(fixed.size(), gles2.size());
    int worst = 0;
    for (size_t i = 0; i < fixed.size(); ++i)
        worst = std::max(worst, std::abs(int(fixed[i]) - int(gles2[i])));
    EXPECT_LE(worst, 2) << "frames kept in " << fixedFrame << " and " << gles2Frame;
}

}  // namespace

// "-" for --out writes the picture to standard output, and "-" for --input reads
// the script from standard input: the same bytes as with named files.
TEST(ShotTool, DashMeansTheStandardStreams) {
    std::string script = "script.txt";
    std::ofstream(script) << "20 FIRE LEFT\n";
    std::string named = "named.png";
    std::string piped = "piped.png";
    ASSERT_EQ(RunShot("--steps 40 --data no-such-folder --input " + script + " --out " + named), 0);
    EXPECT_EQ(RunShell("'" + SHOT + "' --steps 40 --data no-such-folder --input - --out - <" + script + " >" +
                       piped)
                  .status,
              0);
    std::string first = ReadFile(named), second = ReadFile(piped);
    EXPECT_GT(first.size(), 1000u);
    EXPECT_EQ(first, second);
}

TEST(ShotTool, ReplayTakesEditionSeedAndStepsFromTheRecording) {
    std::string recording = "shot.vrec";
    std::string script = "shot-script.txt";
    std::ofstream(script) << "40\n100 FIRE RIGHT\n";
    // The end line's score and rand are the recording's own business; the tool
    // takes the edition, seed, steps and controls.
    std::ofstream(recording) << "# vortane recording\n# edition current\n# seed 9\n40\n100 FIRE RIGHT\n"
                             << "# end steps 140 score 0 rand 0\n";
    std::string replayed = "replayed.png";
    std::string direct = "direct.png";
    ASSERT_EQ(RunShot("--replay " + recording + " --data no-such-folder --out " + replayed), 0);
    ASSERT_EQ(RunShot("--edition current --seed 9 --steps 140 --input " + script +
                      " --data no-such-folder --out " + direct),
              0);
    std::vector<uint8_t> a, b;
    int width = 0, height = 0;
    std::string error;
    ASSERT_TRUE(ReadPngRGB(replayed, a, width, height, error)) << error;
    ASSERT_TRUE(ReadPngRGB(direct, b, width, height, error)) << error;
    EXPECT_EQ(a, b);

    // A recording cut short, or the replay beside the run's own options, is refused.
    EXPECT_EQ(RunShot("--replay " + std::string(VORTANE_SOURCE_DIR) +
                      "/tests/bad/recording_cut_short_no_end_line.vrec --out " + "never.png"),
              2);
    EXPECT_EQ(RunShot("--replay " + recording + " --seed 3 --out " + "never.png"), 2);
    EXPECT_FALSE(FileExists("never.png"));
}
