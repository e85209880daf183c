// The GLES2 back-end's atlas: pictures packed apart, gutters that make bilinear
// filtering read what each picture's own texture would, level 0 as GLU makes it.

#include "render/texture_atlas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "render/mipmaps.h"

namespace {

std::vector<uint8_t> Noise(int32_t width, int32_t height, int32_t components, unsigned seed) {
    std::vector<uint8_t> pixels(size_t(width) * height * components);
    for (uint8_t& p : pixels) {
        seed = seed * 1103515245u + 12345u;
        p = uint8_t(seed >> 16);
    }
    return pixels;
}

// The sizes of the current edition's pictures, a few odd ones, some clamped.
struct Size {
    int32_t width, height;
    bool wrap;
};
const Size SIZES[] = {{32, 32, true},  {512, 32, true}, {64, 64, true},   {128, 128, true}, {64, 64, false},
                      {32, 32, true},  {64, 64, true},  {256, 256, true}, {64, 64, true},   {64, 64, true},
                      {64, 64, false}, {64, 64, true},  {64, 64, true},   {64, 64, true},   {64, 64, true},
                      {64, 64, true},  {32, 32, true},  {1, 1, true},     {16, 32, false},  {128, 16, true}};

struct Filled {
    std::unique_ptr<TextureAtlas> atlas = std::make_unique<TextureAtlas>();
    std::vector<int32_t> indices;
};

Filled FillAtlas(int32_t maxSide = 4096) {
    Filled filled;
    unsigned seed = 1;
    for (const Size& size : SIZES) {
        std::vector<uint8_t> pixels = Noise(size.width, size.height, 4, seed++);
        filled.indices.push_back(
            AddAtlasPicture(*filled.atlas, pixels.data(), size.width, size.height, 4, size.wrap));
    }
    EXPECT_EQ(LayOutAtlas(*filled.atlas, maxSide), 0);
    return filled;
}

// One channel of a bilinear sample (GL_LINEAR) at (u, v) of a side × side texture
// whose texel (x, y) `at` gives, as GL computes it.
double Bilinear(double u, double v, int32_t width, int32_t height,
                const std::function<double(int, int)>& at) {
    double x = u * width - 0.5, y = v * height - 0.5;
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    double fx = x - x0, fy = y - y0;
    return (1 - fx) * (1 - fy) * at(x0, y0) + fx * (1 - fy) * at(x0 + 1, y0) +
           (1 - fx) * fy * at(x0, y0 + 1) + fx * fy * at(x0 + 1, y0 + 1);
}

TEST(TextureAtlas, PicturesAndTheirGuttersNeitherOverlapNorLeaveTheImage) {
    Filled filled = FillAtlas();
    const TextureAtlas& atlas = *filled.atlas;
    EXPECT_TRUE(IsPowerOfTwo(atlas.width) && IsPowerOfTwo(atlas.height));
    ASSERT_EQ(atlas.pixels.size(), size_t(atlas.width) * atlas.height * 4);
    std::vector<int> owner(size_t(atlas.width) * atlas.height, -1);
    for (int32_t index : filled.indices) {
        const AtlasPicture& p = atlas.pictures[index];
        ASSERT_TRUE(p.placed);
        ASSERT_GE(p.x - ATLAS_GUTTER, 0);
        ASSERT_GE(p.y - ATLAS_GUTTER, 0);
        ASSERT_LE(p.x + p.width + ATLAS_GUTTER, atlas.width);
        ASSERT_LE(p.y + p.height + ATLAS_GUTTER, atlas.height);
        for (int32_t y = p.y - ATLAS_GUTTER; y < p.y + p.height + ATLAS_GUTTER; ++y) {
            for (int32_t x = p.x - ATLAS_GUTTER; x < p.x + p.width + ATLAS_GUTTER; ++x) {
                int& o = owner[size_t(y) * atlas.width + x];
                ASSERT_EQ(o, -1) << "pictures " << o << " and " << index << " share texel " << x << ", " << y;
                o = index;
            }
        }
    }
    // The current edition's pictures fit in 1024 × 512 (the digit strip sets the width).
    EXPECT_LE(int64_t(atlas.width) * atlas.height, 1024 * 512);
}

TEST(TextureAtlas, BilinearSamplesInZeroToOneMatchThePicturesOwnTexture) {
    Filled filled = FillAtlas();
    const TextureAtlas& atlas = *filled.atlas;
    for (int32_t index : filled.indices) {
        const AtlasPicture& p = atlas.pictures[index];
        const AtlasRegion& r = p.region;
        for (int channel = 0; channel < 4; ++channel) {
            auto own = [&](int x, int y) {
                auto fold = [&p](int t, int side) {
                    return p.wrap ? ((t % side) + side) % side : std::min(std::max(t, 0), side - 1);
                };
                return double(
                    p.pixels[(size_t(fold(y, p.height)) * p.width + fold(x, p.width)) * 4 + channel]);
            };
            auto inAtlas = [&](int x, int y) {
                EXPECT_TRUE(x >= 0 && y >= 0 && x < atlas.width && y < atlas.height);
                return double(atlas.pixels[(size_t(y) * atlas.width + x) * 4 + channel]);
            };
            for (double u : {0.0, 1.0, 0.5, 0.001, 0.999, 0.37, 0.5 / p.width, 1 - 0.25 / p.width}) {
                for (double v : {0.0, 1.0, 0.61, 0.002, 0.998, 0.25 / p.height}) {
                    double expected = Bilinear(u, v, p.width, p.height, own);
                    double got =
                        Bilinear(r.u0 + u * r.width, r.v0 + v * r.height, atlas.width, atlas.height, inAtlas);
                    ASSERT_NEAR(got, expected, 1e-6) << "picture " << index << " at " << u << ", " << v;
                }
            }
        }
    }
}

TEST(TextureAtlas, KeepsLevelZeroAsGluMakesIt) {
    auto atlas = std::make_unique<TextureAtlas>();
    // Not powers of two: scaled as gluBuild2DMipmaps scales them. RGB gains alpha 255.
    std::vector<uint8_t> rgb = Noise(100, 6, 3, 5);
    int32_t index = AddAtlasPicture(*atlas, rgb.data(), 100, 6, 3, true);
    ASSERT_GE(index, 0);
    const AtlasPicture& p = atlas->pictures[index];
    ASSERT_EQ(p.width, MipmapSide(100));
    ASSERT_EQ(p.height, MipmapSide(6));
    std::vector<uint8_t> scaled = ScalePicture(rgb.data(), 100, 6, 3, p.width, p.height);
    for (size_t texel = 0; texel < size_t(p.width) * p.height; ++texel) {
        for (int k = 0; k < 3; ++k) ASSERT_EQ(p.pixels[texel * 4 + k], scaled[texel * 3 + k]) << texel;
        ASSERT_EQ(p.pixels[texel * 4 + 3], 255) << texel;
    }
}

TEST(TextureAtlas, RefusesWhatIsNoPictureAndFreesSlotsForReuse) {
    auto atlas = std::make_unique<TextureAtlas>();
    std::vector<uint8_t> pixels = Noise(4, 4, 4, 3);
    EXPECT_EQ(AddAtlasPicture(*atlas, pixels.data(), 4, 4, 2, true), -1) << "two bytes a pixel";
    EXPECT_EQ(AddAtlasPicture(*atlas, pixels.data(), 0, 4, 4, true), -1);
    EXPECT_EQ(AddAtlasPicture(*atlas, nullptr, 4, 4, 4, true), -1);
    for (int32_t i = 0; i < ATLAS_PICTURE_CAPACITY; ++i)
        ASSERT_EQ(AddAtlasPicture(*atlas, pixels.data(), 4, 4, 4, true), i);
    EXPECT_EQ(AddAtlasPicture(*atlas, pixels.data(), 4, 4, 4, true), -1) << "the table is full";
    RemoveAtlasPicture(*atlas, 7);
    RemoveAtlasPicture(*atlas, 7);  // twice is harmless
    RemoveAtlasPicture(*atlas, -1);
    RemoveAtlasPicture(*atlas, ATLAS_PICTURE_CAPACITY);
    EXPECT_EQ(AddAtlasPicture(*atlas, pixels.data(), 4, 4, 4, true), 7);
}

TEST(TextureAtlas, LeavesWhatCannotFitUnplacedAndSaysHowMany) {
    Filled filled;
    std::vector<uint8_t> big = Noise(256, 256, 4, 1), small = Noise(32, 32, 4, 2);
    int32_t bigIndex = AddAtlasPicture(*filled.atlas, big.data(), 256, 256, 4, true);
    int32_t smallIndex = AddAtlasPicture(*filled.atlas, small.data(), 32, 32, 4, true);
    // 256 plus its gutters does not fit in 256.
    EXPECT_EQ(LayOutAtlas(*filled.atlas, 256), 1);
    EXPECT_FALSE(filled.atlas->pictures[bigIndex].placed);
    EXPECT_TRUE(filled.atlas->pictures[smallIndex].placed);
    EXPECT_LE(filled.atlas->width, 256);
    EXPECT_FALSE(filled.atlas->changed);
    EXPECT_EQ(LayOutAtlas(*filled.atlas, 512), 0);
}

}  // namespace
