// The earlier edition's picture: the blue grid colouring, and one whole frame of
// the running game against the committed reference picture, drawn in this process
// and by vortane-shot.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "classic/edition.h"
#include "classic/scene.h"
#include "classic/update.h"
#include "game/input_script.h"
#include "game/world.h"
#include "render/draw_backend.h"
#include "render/primitives.h"
#include "tests/classic/test_pictures.h"
#include "tests/support/folders.h"
#include "tests/support/programs.h"
#include "tools/edition_frame.h"
#include "tools/gl_context.h"
#include "tools/png_frame.h"

namespace {

const std::string GOLDEN_DIR = VORTANE_SOURCE_DIR "/tests/golden/classic";
const std::string GOLDEN_FRAME = GOLDEN_DIR + "/frame_seed7_steps365.png";
const std::string SHOT = std::string(VORTANE_RUN_DIR) + "/vortane-shot";

int NodeIndex(int row, int column) { return row * gridColumns + column; }

void ExpectColour(const Vector3& actual, const Vector3& expected, const std::string& what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-9) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-9) << what;
}

// Blue from brightness b and speed s: k = ((s × 20 + 1.2) × b)² × 0.3.
Vector3 Blue(double b, double s) {
    double k = (s * 20 + 1.2) * b;
    k = k * k * 0.3;
    return {k * 0.2, k * 0.1, k};
}

int RunShot(const std::string& arguments) { return RunShell("'" + SHOT + "' " + arguments).status; }

// Channels further than `tolerance` from the reference; the worst difference in `worst`.
int Differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int tolerance, int& worst) {
    int differing = 0;
    worst = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        int d = std::abs(int(a[i]) - int(b[i]));
        worst = std::max(worst, d);
        differing += d > tolerance;
    }
    return differing;
}

class ClassicFrame : public ::testing::Test {
protected:
    void SetUp() override { SetUpWorld(classic::edition, 7); }

    // The test pictures into a data folder (`data`), then the fight played to the
    // reference frame's step (FRAME_RUN).
    void PlayFrameRun(std::string& data) {
        data = folder.Path() + "/data/";
        mkdir(data.c_str(), 0755);
        WriteClassicTestPictures(data);
        InputScript script;
        std::string error;
        ASSERT_TRUE(LoadInputScript(GOLDEN_DIR + "/fight.txt", script, error)) << error;
        ScriptedControls controls(std::move(script));
        for (int step = 0; step < 365; ++step) ASSERT_TRUE(classic::UpdateWorld(controls));
    }

    ScratchDir folder;
};

}  // namespace

TEST_F(ClassicFrame, GridIsBlueAndCountsSameRowLinksAtHalfLength) {
    OffscreenGL gl;
    std::string error;
    ASSERT_TRUE(gl.Open(64, 64, error)) << error;
    int still = NodeIndex(5, 5), moving = NodeIndex(10, 10), stretched = NodeIndex(20, 30);
    gridVel[moving] = {0, 0.1, 0};
    // The row neighbour of `stretched` moves two units away: a link of length 3.
    gridPos[NodeIndex(20, 31)].x += 2;
    classic::DrawGrid();
    ExpectColour(gridColour[still], Blue(1, 0), "at rest");
    ExpectColour(gridColour[still], {0.0864, 0.0432, 0.432}, "at rest");
    ExpectColour(gridColour[moving], Blue(1, 0.1), "moving at 0.1");
    ExpectColour(gridColour[stretched], Blue(0.5, 0), "same-row link of length 3");
    ExpectColour(gridColour[NodeIndex(gridRows - 1, 3)], {0, 0, 0}, "last row");
    ExpectColour(gridColour[NodeIndex(3, gridColumns - 1)], {0, 0, 0}, "last column");
    gl.Close();
}

// A kill a few steps earlier: shots, sparks, a shockwave, enemies, a dropping, the
// score and both spare lives show.
const char* const FRAME_RUN = "--seed 7 --steps 365";

TEST_F(ClassicFrame, DrawsTheSameFrameAsTheReference) {
    std::string data;
    ASSERT_NO_FATAL_FAILURE(PlayFrameRun(data));
    std::string error;

    std::vector<uint8_t> actual, expected;
    ASSERT_TRUE(DrawEditionFrame(classic::edition, data, actual, error)) << error;
    ASSERT_EQ(actual.size(), size_t(classic::edition.width * classic::edition.height * 3));
    if (std::getenv("VORTANE_UPDATE_GOLDEN")) {
        ASSERT_TRUE(WritePngRGB(GOLDEN_FRAME, actual, classic::edition.width, classic::edition.height, error))
            << error;
        GTEST_SKIP() << "reference frame rewritten: " << GOLDEN_FRAME;
    }
    int width = 0, height = 0;
    ASSERT_TRUE(ReadPngRGB(GOLDEN_FRAME, expected, width, height, error)) << error;
    ASSERT_EQ(width, classic::edition.width);
    ASSERT_EQ(height, classic::edition.height);
    // llvmpipe draws the same bits every run; the tolerance only absorbs rounding
    // differences between CPUs, and a handful of edge pixels.
    int worst = 0;
    int differing = Differing(actual, expected, 3, worst);
    EXPECT_LE(differing, 40) << "channels off by more than 3: " << differing << ", worst " << worst;
}

TEST_F(ClassicFrame, Gles2DrawsTheReferenceFrameWithinTwoOfFixedFunction) {
    std::string data;
    ASSERT_NO_FATAL_FAILURE(PlayFrameRun(data));
    std::string error;

    std::vector<uint8_t> fixed, gles2;
    ASSERT_TRUE(DrawEditionFrame(classic::edition, data, fixed, error)) << error;
    SelectDrawBackend(*FindDrawBackend("gles2"));
    bool drawn = DrawEditionFrame(classic::edition, data, gles2, error);
    SelectDrawBackend(*FindDrawBackend("fixed"));
    ASSERT_TRUE(drawn) << error;
    ASSERT_EQ(gles2.size(), fixed.size());
    int worst = 0;
    int differing = Differing(fixed, gles2, 2, worst);
    EXPECT_EQ(differing, 0) << "channels off by more than 2: " << differing << ", worst " << worst;
}

TEST_F(ClassicFrame, ShotToolDrawsTheReferenceFrame) {
    std::string data = folder.Path() + "/data/";
    mkdir(data.c_str(), 0755);
    WriteClassicTestPictures(data);
    std::string frame = folder.Path() + "/shot.png";
    int status = RunShot(std::string("--edition classic ") + FRAME_RUN + " --input '" + GOLDEN_DIR +
                         "/fight.txt' --data '" + data + "' --out '" + frame + "'");
    ASSERT_EQ(status, 0);
    std::vector<uint8_t> shot, expected;
    int width = 0, height = 0;
    std::string error;
    ASSERT_TRUE(ReadPngRGB(frame, shot, width, height, error)) << error;
    EXPECT_EQ(width, classic::edition.width);
    EXPECT_EQ(height, classic::edition.height);
    ASSERT_TRUE(ReadPngRGB(GOLDEN_FRAME, expected, width, height, error)) << error;
    int worst = 0;
    int differing = Differing(shot, expected, 3, worst);
    EXPECT_LE(differing, 40) << "channels off by more than 3: " << differing << ", worst " << worst;
}
