// The mipmap levels the GLES2 back-end makes itself, against the ones
// gluBuild2DMipmaps makes on the fixed-function path.

#include "render/mipmaps.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>
#include <vector>

#include "tests/render/gl_fixture.h"

namespace {

std::vector<uint8_t> Noise(int32_t width, int32_t height, int32_t components, unsigned seed) {
    std::vector<uint8_t> pixels(size_t(width) * height * components);
    for (uint8_t& p : pixels) {
        seed = seed * 1103515245u + 12345u;
        p = uint8_t(seed >> 16);
    }
    return pixels;
}

// GLU's levels of the picture, read back from the texture it builds.
std::vector<std::vector<uint8_t>> GluLevels(const std::vector<uint8_t>& pixels, int32_t width, int32_t height,
                                            int32_t components) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    GLenum format = components == 3 ? GL_RGB : GL_RGBA;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, format, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<std::vector<uint8_t>> levels;
    for (int level = 0;; ++level) {
        GLint w = 0, h = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
        if (w == 0 || h == 0) break;
        levels.emplace_back(size_t(w) * h * components);
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, levels.back().data());
        if (w == 1 && h == 1) break;
    }
    glDeleteTextures(1, &name);
    return levels;
}

class Mipmaps : public GLTest {};

TEST_F(Mipmaps, EveryLevelEqualsGluBuild2DMipmaps) {
    struct Shape {
        int32_t width, height;
    };
    // Square, wide and tall pictures: the chain passes through one-row and
    // one-column levels, which GLU averages differently.
    const Shape shapes[] = {{2, 2}, {64, 64}, {512, 32}, {32, 512}, {8, 1}, {1, 16}, {128, 4}};
    for (const Shape& shape : shapes) {
        for (int32_t components : {3, 4}) {
            std::vector<uint8_t> level =
                Noise(shape.width, shape.height, components, 7u + unsigned(shape.width));
            std::vector<std::vector<uint8_t>> expected =
                GluLevels(level, shape.width, shape.height, components);
            int32_t w = shape.width, h = shape.height;
            size_t index = 0;
            for (;; ++index) {
                ASSERT_LT(index, expected.size()) << shape.width << "x" << shape.height;
                ASSERT_EQ(level, expected[index])
                    << shape.width << "x" << shape.height << " × " << components << ", level " << index;
                if (w == 1 && h == 1) break;
                level = HalvePicture(level.data(), w, h, components);
                w = w > 1 ? w / 2 : 1;
                h = h > 1 ? h / 2 : 1;
            }
            EXPECT_EQ(index + 1, expected.size()) << shape.width << "x" << shape.height;
        }
    }
}

TEST_F(Mipmaps, UnevenSidesScaleToThePowerOfTwoGluChooses) {
    struct Case {
        int32_t side, power;
    };
    const Case cases[] = {{1, 1}, {2, 2}, {3, 4}, {5, 4}, {6, 8}, {7, 8}, {100, 128}, {90, 64}, {640, 512}};
    for (const Case& c : cases) EXPECT_EQ(MipmapSide(c.side), c.power) << c.side;
    for (int32_t side : {3, 5, 6, 7, 100, 90, 640}) {
        std::vector<uint8_t> picture = Noise(side, 4, 3, 11u);
        std::vector<std::vector<uint8_t>> expected = GluLevels(picture, side, 4, 3);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(expected[0].size(), size_t(MipmapSide(side)) * 4 * 3) << side << " wide";
    }
}

TEST(MipmapFilter, ScalingKeepsAFlatPictureFlatAndAveragesBlocks) {
    std::vector<uint8_t> flat(size_t(6) * 3 * 4, 77);
    EXPECT_EQ(ScalePicture(flat.data(), 6, 3, 4, 8, 4), std::vector<uint8_t>(size_t(8) * 4 * 4, 77));
    // Four pixels down to one: the rounded mean.
    const uint8_t block[4] = {10, 20, 30, 41};
    EXPECT_EQ(ScalePicture(block, 2, 2, 1, 1, 1), std::vector<uint8_t>{25});
    EXPECT_EQ(HalvePicture(block, 2, 2, 1), std::vector<uint8_t>{25});
    // A row or column of two: truncated, as GLU does.
    EXPECT_EQ(HalvePicture(block, 2, 1, 1), std::vector<uint8_t>{15});
    EXPECT_EQ(HalvePicture(block, 1, 2, 1), std::vector<uint8_t>{15});
}

}  // namespace
