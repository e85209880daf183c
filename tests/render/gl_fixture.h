#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "app/offscreen_gl.h"

// A hidden GL context shared by the tests of one suite, drawing into an off-screen
// frame of FRAME_WIDTH × FRAME_HEIGHT pixels.
class GLTest : public ::testing::Test {
protected:
    static constexpr int FRAME_WIDTH = 320;
    static constexpr int FRAME_HEIGHT = 160;

    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // Maps the world rectangle onto the frame with an orthographic projection and
    // sets the scene's drawing state: additive blending, no depth test or culling,
    // 2D texturing on; clears to black.
    void UseOrtho(double left, double right, double bottom, double top);

    // The frame's colour at a world point of the orthographic view.
    std::array<int, 3> PixelAt(double x, double y) const;
    // The frame's colour at a window pixel (0, 0 bottom left).
    static std::array<int, 3> PixelAtWindow(int column, int row);

    static OffscreenGL* gl;

private:
    double left_ = 0, right_ = 1, bottom_ = 0, top_ = 1;
};

// Each channel within `tolerance` of the expected value in 0..255.
::testing::AssertionResult ColourNear(const std::array<int, 3>& actual, const std::array<int, 3>& expected,
                                      int tolerance = 1);

// A colour in 0..1 as the frame stores it.
std::array<int, 3> ByteColour(double r, double g, double b);
