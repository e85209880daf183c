#include "tests/render/gl_fixture.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <string>

OffscreenGL* GLTest::gl = nullptr;

void GLTest::SetUpTestSuite() {
    gl = new OffscreenGL;
    std::string error;
    if (!gl->Open(FRAME_WIDTH, FRAME_HEIGHT, error)) {
        delete gl;
        gl = nullptr;
        ADD_FAILURE() << "no GL context: " << error;
    }
}

void GLTest::TearDownTestSuite() {
    delete gl;
    gl = nullptr;
}

void GLTest::SetUp() { ASSERT_NE(gl, nullptr) << "no GL context"; }

void GLTest::UseOrtho(double left, double right, double bottom, double top) {
    left_ = left;
    right_ = right;
    bottom_ = bottom;
    top_ = top;
    glViewport(0, 0, FRAME_WIDTH, FRAME_HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(left, right, bottom, top, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
}

std::array<int, 3> GLTest::PixelAt(double x, double y) const {
    int column = int(std::floor((x - left_) / (right_ - left_) * FRAME_WIDTH));
    int row = int(std::floor((y - bottom_) / (top_ - bottom_) * FRAME_HEIGHT));
    return PixelAtWindow(column, row);
}

std::array<int, 3> GLTest::PixelAtWindow(int column, int row) {
    uint8_t rgb[3] = {0, 0, 0};
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(column, row, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

::testing::AssertionResult ColourNear(const std::array<int, 3>& actual, const std::array<int, 3>& expected,
                                      int tolerance) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(actual[c] - expected[c]) > tolerance) {
            return ::testing::AssertionFailure()
                   << "colour (" << actual[0] << ", " << actual[1] << ", " << actual[2] << "), expected ("
                   << expected[0] << ", " << expected[1] << ", " << expected[2] << ") within " << tolerance;
        }
    }
    return ::testing::AssertionSuccess();
}

std::array<int, 3> ByteColour(double r, double g, double b) {
    auto byte = [](double v) { return int(std::lround(std::fmin(std::fmax(v, 0.0), 1.0) * 255)); };
    return {byte(r), byte(g), byte(b)};
}
