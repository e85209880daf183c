// The 4:3 picture in drawables of other shapes: where the box goes, and whole frames
// of both editions on both back-ends drawn into 16:9 and 5:4 drawables, against the
// same frame at the edition's own size.

#include "render/picture_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/desktop_draw_backends.h"
#include "render/draw_backend.h"
#include "tools/edition_frame.h"
#include "tools/editions.h"

namespace {

const std::string DATA = VORTANE_RUN_DIR "/data/";

struct BoxCase {
    int width, height;
    PictureBox box;
};

TEST(PictureBox, FillsA4To3DrawableAndCentresTheRest) {
    const BoxCase cases[] = {
        {800, 600, {0, 0, 800, 600}},
        {1024, 768, {0, 0, 1024, 768}},
        {1280, 720, {160, 0, 960, 720}},
        {1920, 1080, {240, 0, 1440, 1080}},
        {1280, 1024, {0, 32, 1280, 960}},
        {1066, 600, {133, 0, 800, 600}},
        {800, 640, {0, 20, 800, 600}},
        {801, 600, {0, 0, 800, 600}},
        {640, 0, {319, 0, 1, 1}},
        {0, 0, {0, 0, 1, 1}},
        {3, 2, {0, 0, 2, 2}},
        {1, 1000, {0, 499, 1, 1}},
    };
    for (const BoxCase& c : cases) {
        PictureBox box = FitPictureBox(c.width, c.height);
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        EXPECT_EQ(box.x, c.box.x);
        EXPECT_EQ(box.y, c.box.y);
        EXPECT_EQ(box.width, c.box.width);
        EXPECT_EQ(box.height, c.box.height);
        EXPECT_EQ(PictureHasBars(box, c.width, c.height), box.width < c.width || box.height < c.height);
    }
}

TEST(PictureBox, NeverLeavesTheDrawableNorStretches) {
    for (int width = 1; width <= 400; width += 3) {
        for (int height = 1; height <= 400; height += 7) {
            PictureBox box = FitPictureBox(width, height);
            ASSERT_GE(box.x, 0);
            ASSERT_GE(box.y, 0);
            ASSERT_LE(box.x + box.width, width);
            ASSERT_LE(box.y + box.height, height);
            // One side is the drawable's whole side; the other is within a pixel of 4:3.
            ASSERT_TRUE(box.width == width || box.height == height) << width << " x " << height;
            if (box.width > 1 && box.height > 1) {
                ASSERT_LT(std::fabs(box.width * 3.0 - box.height * 4.0), 4.0) << width << " x " << height;
            }
            // The bars on either side differ by at most a pixel.
            ASSERT_LE(std::abs((width - box.width - box.x) - box.x), 1);
            ASSERT_LE(std::abs((height - box.height - box.y) - box.y), 1);
        }
    }
    EXPECT_EQ(PictureAspect(FitPictureBox(800, 600)), 800.0f / 600.0f);
    EXPECT_EQ(PictureAspect(FitPictureBox(1920, 1080)), 800.0f / 600.0f);
}

struct FrameCase {
    const char* edition;
    const char* backend;
};

class LetterboxedFrame : public ::testing::TestWithParam<FrameCase> {
protected:
    void SetUp() override {
        edition = FindEdition(GetParam().edition);
        ASSERT_NE(edition, nullptr);
        RegisterDesktopDrawBackends();
        const DrawBackend* backend = FindDrawBackend(GetParam().backend);
        ASSERT_NE(backend, nullptr);
        SelectDrawBackend(*backend);
        // A world some way into a game, so the grid, enemies and the HUD all show.
        SetUpWorld(*edition, 5);
        NoControls none;
        for (int step = 0; step < 200; ++step) edition->updateWorld(none);
    }
    void TearDown() override { SelectDrawBackend(*FindDrawBackend("fixed")); }

    std::vector<uint8_t> Frame(int width, int height) {
        std::vector<uint8_t> rgb;
        std::string error;
        EXPECT_TRUE(DrawEditionFrameAt(*edition, DATA, width, height, rgb, error)) << error;
        return rgb;
    }

    class NoControls : public Controls {
    public:
        void Poll() override {}
        bool KeyDown(int) const override { return false; }
    };

    const Edition* edition = nullptr;
};

// Pixels of `frame` (width wide, top row first) outside `box` that are not black, and
// inside it those that differ from `picture` (box-sized, top row first).
struct Comparison {
    int litInBars = 0;
    int differingInBox = 0;
};

Comparison Compare(const std::vector<uint8_t>& frame, int width, int height, const PictureBox& box,
                   const std::vector<uint8_t>& picture) {
    Comparison result;
    const int boxTop = height - box.y - box.height;  // the box's first row, counted from the top
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const uint8_t* pixel = &frame[(size_t(row) * width + column) * 3];
            bool inBox =
                column >= box.x && column < box.x + box.width && row >= boxTop && row < boxTop + box.height;
            if (!inBox) {
                result.litInBars += pixel[0] != 0 || pixel[1] != 0 || pixel[2] != 0;
                continue;
            }
            const uint8_t* wanted = &picture[(size_t(row - boxTop) * box.width + column - box.x) * 3];
            result.differingInBox += !std::equal(pixel, pixel + 3, wanted);
        }
    }
    return result;
}

TEST_P(LetterboxedFrame, WideAndTallDrawablesShowTheWholePictureBetweenBlackBars) {
    const int width = edition->width, height = edition->height;
    const std::vector<uint8_t> own = Frame(width, height);
    ASSERT_EQ(own.size(), size_t(width) * height * 3);
    // 16:9 at the same height and 5:4 at the same width: the box is the edition's own
    // size, so the picture in it must be that frame. The software rasterizer places a
    // few edge pixels differently at another viewport offset; a crop, a stretch or a
    // shift would change most of them.
    const int sizes[2][2] = {{height * 16 / 9, height}, {width, width * 4 / 5}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        const PictureBox box = FitPictureBox(size[0], size[1]);
        ASSERT_EQ(box.width, width);
        ASSERT_EQ(box.height, height);
        ASSERT_TRUE(PictureHasBars(box, size[0], size[1]));
        const std::vector<uint8_t> frame = Frame(size[0], size[1]);
        ASSERT_EQ(frame.size(), size_t(size[0]) * size[1] * 3);
        Comparison c = Compare(frame, size[0], size[1], box, own);
        EXPECT_EQ(c.litInBars, 0);
        EXPECT_LE(c.differingInBox, width * height / 2000);
    }
}

// The brightest channel in the picture's cell at world (x, y) .. (x + 1, y + 1) on the
// plane z = 0, seen as the game's camera at (0, 0, 40) sees it inside `box`.
int BrightestInCell(const std::vector<uint8_t>& frame, int width, int height, const PictureBox& box, double x,
                    double y) {
    const double halfHigh = 40 * std::tan(22.5 * M_PI / 180);
    const double halfWide = halfHigh * box.width / box.height;
    auto column = [&](double worldX) { return box.x + (worldX / halfWide + 1) / 2 * box.width; };
    auto row = [&](double worldY) { return height - box.y - (worldY / halfHigh + 1) / 2 * box.height; };
    int brightest = 0;
    for (int r = int(row(y + 1)); r < int(row(y)); ++r) {
        for (int c = int(column(x)); c < int(column(x + 1)); ++c) {
            if (r < 0 || r >= height || c < 0 || c >= width) continue;
            const uint8_t* pixel = &frame[(size_t(r) * width + c) * 3];
            brightest = std::max({brightest, int(pixel[0]), int(pixel[1]), int(pixel[2])});
        }
    }
    return brightest;
}

TEST_P(LetterboxedFrame, FullScreensOfOtherShapesKeepTheWholeScore) {
    // The score's eight digits run from x −21 to −13 along y 14.5; its leftmost digit is
    // the first thing a crop or stretch of the picture loses.
    const int sizes[2][2] = {{1280, 720}, {1280, 1024}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        const PictureBox box = FitPictureBox(size[0], size[1]);
        const std::vector<uint8_t> frame = Frame(size[0], size[1]);
        ASSERT_EQ(frame.size(), size_t(size[0]) * size[1] * 3);
        Comparison c =
            Compare(frame, size[0], size[1], box, std::vector<uint8_t>(size_t(box.width) * box.height * 3));
        EXPECT_EQ(c.litInBars, 0);
        EXPECT_GT(c.differingInBox, box.width * box.height / 20) << "the picture is drawn";
        EXPECT_GT(BrightestInCell(frame, size[0], size[1], box, -21, 14.5), 100) << "leftmost score digit";
        EXPECT_GT(BrightestInCell(frame, size[0], size[1], box, -14, 14.5), 100) << "last score digit";
    }
}

INSTANTIATE_TEST_SUITE_P(BothEditionsBothBackEnds, LetterboxedFrame,
                         ::testing::Values(FrameCase{"current", "fixed"}, FrameCase{"current", "gles2"},
                                           FrameCase{"classic", "fixed"}, FrameCase{"classic", "gles2"}),
                         [](const ::testing::TestParamInfo<FrameCase>& info) {
                             return std::string(info.param.edition) + "_" + info.param.backend;
                         });

}  // namespace
