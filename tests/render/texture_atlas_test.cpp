// The GLES2 back-end's atlas: pictures in aligned cells apart, gutters that make
// bilinear filtering read what each picture's own texture would at every level, the
// mipmap chain as GLU makes it.

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

// One channel of a bilinear sample (GL_LINEAR) at (u, v) of a width × height texture
// whose texel (x, y) `at` gives, as GL computes it. A texel of weight 0 is not read.
double Bilinear(double u, double v, int32_t width, int32_t height,
                const std::function<double(int, int)>& at) {
    double x = u * width - 0.5, y = v * height - 0.5;
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    double fx = x - x0, fy = y - y0;
    double sum = 0;
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
            double weight = (dx ? fx : 1 - fx) * (dy ? fy : 1 - fy);
            if (weight != 0) sum += weight * at(x0 + dx, y0 + dy);
        }
    }
    return sum;
}

// The atlas's level `number`, channel `channel` of texel (x, y); the test fails on a
// texel outside it.
double AtlasTexel(const TextureAtlas& atlas, size_t number, int channel, int x, int y) {
    const AtlasLevel& level = atlas.levels[number];
    EXPECT_TRUE(x >= 0 && y >= 0 && x < level.width && y < level.height) << x << ", " << y;
    if (x < 0 || y < 0 || x >= level.width || y >= level.height) return -1000;
    return double(level.pixels[(size_t(y) * level.width + x) * 4 + channel]);
}

TEST(TextureAtlas, CellsAreAlignedApartAndHoldTheirPictureAndGutters) {
    Filled filled = FillAtlas();
    const TextureAtlas& atlas = *filled.atlas;
    EXPECT_TRUE(IsPowerOfTwo(atlas.width) && IsPowerOfTwo(atlas.height));
    ASSERT_FALSE(atlas.levels.empty());
    ASSERT_EQ(atlas.levels[0].pixels.size(), size_t(atlas.width) * atlas.height * 4);
    std::vector<int> owner(size_t(atlas.width) * atlas.height, -1);
    for (int32_t index : filled.indices) {
        const AtlasPicture& p = atlas.pictures[index];
        ASSERT_TRUE(p.placed);
        ASSERT_TRUE(IsPowerOfTwo(p.cell));
        EXPECT_GE(p.cell, 2 * std::max(p.width, p.height)) << "every level of the picture keeps a gutter";
        EXPECT_EQ(p.cellX % p.cell, 0);
        EXPECT_EQ(p.cellY % p.cell, 0);
        ASSERT_LE(p.cellX + p.cell, atlas.width);
        ASSERT_LE(p.cellY + p.cell, atlas.height);
        EXPECT_GE(p.x - ATLAS_GUTTER, p.cellX);
        EXPECT_GE(p.y - ATLAS_GUTTER, p.cellY);
        EXPECT_LE(p.x + p.width + ATLAS_GUTTER, p.cellX + p.cell);
        EXPECT_LE(p.y + p.height + ATLAS_GUTTER, p.cellY + p.cell);
        for (int32_t y = p.cellY; y < p.cellY + p.cell; ++y) {
            for (int32_t x = p.cellX; x < p.cellX + p.cell; ++x) {
                int& o = owner[size_t(y) * atlas.width + x];
                ASSERT_EQ(o, -1) << "pictures " << o << " and " << index << " share texel " << x << ", " << y;
                o = index;
            }
        }
    }
    // The chain of the atlas itself, as GL wants it: each level half the one above.
    for (size_t number = 1; number < atlas.levels.size(); ++number) {
        EXPECT_EQ(atlas.levels[number].width, std::max(1, atlas.levels[number - 1].width / 2));
        EXPECT_EQ(atlas.levels[number].height, std::max(1, atlas.levels[number - 1].height / 2));
    }
    EXPECT_EQ(atlas.levels.back().width * atlas.levels.back().height, 1);
    // The current edition's pictures fit in 2048 × 1024 (the digit strip's cell is 1024).
    EXPECT_LE(int64_t(atlas.width) * atlas.height, 2048 * 1024);
}

// At every level a picture has, a bilinear sample anywhere in 0..1 reads what the
// same level of the picture's own texture gives with its wrap mode.
TEST(TextureAtlas, BilinearSamplesAtEveryLevelMatchThePicturesOwnTexture) {
    Filled filled = FillAtlas();
    const TextureAtlas& atlas = *filled.atlas;
    for (int32_t index : filled.indices) {
        const AtlasPicture& p = atlas.pictures[index];
        const AtlasRegion& r = p.region;
        for (size_t number = 0; number < p.levels.size(); ++number) {
            const AtlasLevel& own = p.levels[number];
            const AtlasLevel& level = atlas.levels[number];
            for (int channel = 0; channel < 4; ++channel) {
                auto ownTexel = [&](int x, int y) {
                    auto fold = [&p](int t, int side) {
                        return p.wrap ? ((t % side) + side) % side : std::min(std::max(t, 0), side - 1);
                    };
                    return double(
                        own.pixels[(size_t(fold(y, own.height)) * own.width + fold(x, own.width)) * 4 +
                                   channel]);
                };
                auto inAtlas = [&](int x, int y) { return AtlasTexel(atlas, number, channel, x, y); };
                for (double u : {0.0, 1.0, 0.5, 0.001, 0.999, 0.37, 0.5 / own.width, 1 - 0.25 / own.width}) {
                    for (double v : {0.0, 1.0, 0.61, 0.002, 0.998, 0.25 / own.height}) {
                        double expected = Bilinear(u, v, own.width, own.height, ownTexel);
                        double got = Bilinear(r.u0 + u * r.width, r.v0 + v * r.height, level.width,
                                              level.height, inAtlas);
                        ASSERT_NEAR(got, expected, 1e-6)
                            << "picture " << index << " level " << number << " at " << u << ", " << v;
                    }
                }
            }
        }
    }
}

TEST(TextureAtlas, KeepsTheWholeChainAsGluMakesIt) {
    auto atlas = std::make_unique<TextureAtlas>();
    // Not powers of two: scaled as gluBuild2DMipmaps scales them. RGB gains alpha 255.
    std::vector<uint8_t> rgb = Noise(100, 6, 3, 5);
    int32_t index = AddAtlasPicture(*atlas, rgb.data(), 100, 6, 3, true);
    ASSERT_GE(index, 0);
    const AtlasPicture& p = atlas->pictures[index];
    ASSERT_EQ(p.width, MipmapSide(100));
    ASSERT_EQ(p.height, MipmapSide(6));
    std::vector<uint8_t> level = ScalePicture(rgb.data(), 100, 6, 3, p.width, p.height);
    int32_t w = p.width, h = p.height;
    // 128 × 8 halves seven times to 1 × 1.
    ASSERT_EQ(p.levels.size(), 8u);
    for (const AtlasLevel& kept : p.levels) {
        ASSERT_EQ(kept.width, w);
        ASSERT_EQ(kept.height, h);
        for (size_t texel = 0; texel < size_t(w) * h; ++texel) {
            for (int k = 0; k < 3; ++k) ASSERT_EQ(kept.pixels[texel * 4 + k], level[texel * 3 + k]) << texel;
            ASSERT_EQ(kept.pixels[texel * 4 + 3], 255) << texel;
        }
        if (w == 1 && h == 1) break;
        level = HalvePicture(level.data(), w, h, 3);
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
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
    // 256's cell is 512: it does not fit in 256.
    EXPECT_EQ(LayOutAtlas(*filled.atlas, 256), 1);
    EXPECT_FALSE(filled.atlas->pictures[bigIndex].placed);
    EXPECT_TRUE(filled.atlas->pictures[smallIndex].placed);
    EXPECT_LE(filled.atlas->width, 256);
    EXPECT_FALSE(filled.atlas->changed);
    EXPECT_EQ(LayOutAtlas(*filled.atlas, 512), 1) << "512 holds the big cell but not the small one beside it";
    EXPECT_EQ(LayOutAtlas(*filled.atlas, 1024), 0);
}

}  // namespace
