// The GLES2 back-end's quad batches: issue order kept, coordinates moved into each
// picture's region, and a batch broken only when its texture changes or it is full.

#include "render/quad_batch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

struct Issued {
    uint32_t texture;
    float x;  // tells the quads apart
};

// Issues quads sampling `textures` in order the way the back-end does: a refused quad
// flushes the batch and goes again. Returns every quad as the draws would show it,
// in draw order, and the number of draws.
std::vector<Issued> Batch(const std::vector<uint32_t>& textures, int& draws) {
    auto batch = std::make_unique<QuadBatch>();
    std::vector<Issued> drawn;
    draws = 0;
    auto flush = [&] {
        if (batch->quads == 0) return;
        ++draws;
        for (int32_t q = 0; q < batch->quads; ++q)
            drawn.push_back({batch->texture, batch->vertices[q * 4].x});
        ClearQuadBatch(*batch);
    };
    const AtlasRegion whole = {0, 0, 1, 1};
    for (size_t i = 0; i < textures.size(); ++i) {
        DrawVertex corner{float(i), 0, 0, 1, 1, 1, 0, 0};
        const DrawVertex corners[4] = {corner, corner, corner, corner};
        if (!AddQuad(*batch, textures[i], whole, corners)) {
            flush();
            EXPECT_TRUE(AddQuad(*batch, textures[i], whole, corners));
        }
    }
    flush();
    return drawn;
}

TEST(QuadBatch, OneTextureIsOneDrawUntilTheBatchIsFull) {
    // A frame's worth of quads, all in the atlas: shots, sparks, entities, digits.
    std::vector<uint32_t> atlas(100 * 3 + 2000 + 100 * 2 + 10 * 2, 9);
    int draws = 0;
    std::vector<Issued> drawn = Batch(atlas, draws);
    EXPECT_EQ(draws, 1);
    ASSERT_EQ(drawn.size(), atlas.size());
    for (size_t i = 0; i < drawn.size(); ++i) ASSERT_EQ(drawn[i].x, float(i)) << "quad " << i;

    std::vector<uint32_t> many(QUAD_BATCH_CAPACITY * 2 + 5, 7);
    Batch(many, draws);
    EXPECT_EQ(draws, 3) << "a batch holds " << QUAD_BATCH_CAPACITY << " quads";
}

TEST(QuadBatch, AnotherTextureEndsTheBatchAndOrderIsKept) {
    // A picture kept out of the atlas between quads in it.
    const std::vector<uint32_t> textures = {9, 9, 4, 9, 4, 4, 9};
    int draws = 0;
    std::vector<Issued> drawn = Batch(textures, draws);
    EXPECT_EQ(draws, 5);
    ASSERT_EQ(drawn.size(), textures.size());
    for (size_t i = 0; i < textures.size(); ++i) {
        EXPECT_EQ(drawn[i].texture, textures[i]) << "quad " << i;
        EXPECT_EQ(drawn[i].x, float(i)) << "quad " << i;
    }
}

TEST(QuadBatch, MovesCoordinatesIntoTheRegionAndColoursWithTheFirstCorner) {
    auto batch = std::make_unique<QuadBatch>();
    const DrawVertex corners[4] = {
        {0, 0, 0, 0.5f, 0.25f, 1.0f, 0, 0},
        {1, 0, 0, 0.1f, 0.1f, 0.1f, 1, 0},
        {1, 1, 0, 0.2f, 0.2f, 0.2f, 1, 1},
        {0, 1, 0, 0.3f, 0.3f, 0.3f, 0.0625f, 0.75f},
    };
    const AtlasRegion region = {0.5f, 0.25f, 0.125f, 0.0625f};
    ASSERT_TRUE(AddQuad(*batch, 3, region, corners));
    for (int i = 0; i < 4; ++i) {
        const DrawVertex& v = batch->vertices[i];
        EXPECT_EQ(v.x, corners[i].x);
        EXPECT_EQ(v.y, corners[i].y);
        EXPECT_EQ(v.u, 0.5f + corners[i].u * 0.125f) << "corner " << i;
        EXPECT_EQ(v.v, 0.25f + corners[i].v * 0.0625f) << "corner " << i;
        EXPECT_EQ(v.r, 0.5f);
        EXPECT_EQ(v.g, 0.25f);
        EXPECT_EQ(v.b, 1.0f);
    }
    EXPECT_FALSE(AddQuad(*batch, 4, region, corners)) << "a batch samples one texture";
    EXPECT_EQ(batch->quads, 1) << "a refused quad leaves the batch as it was";
}

TEST(QuadBatch, InsidePictureOnlyWhenEveryCoordinateIsInZeroToOne) {
    DrawVertex corners[4] = {};
    const float values[] = {0.0f, 1.0f, 0.5f, -0.001f, 1.001f, 2.0f, std::nanf("")};
    const bool inside[] = {true, true, true, false, false, false, false};
    for (int corner = 0; corner < 4; ++corner) {
        for (size_t k = 0; k < std::size(values); ++k) {
            for (bool alongU : {true, false}) {
                DrawVertex test[4] = {corners[0], corners[1], corners[2], corners[3]};
                (alongU ? test[corner].u : test[corner].v) = values[k];
                EXPECT_EQ(InsidePicture(test), inside[k]) << "corner " << corner << " value " << values[k];
            }
        }
    }
}

TEST(QuadBatch, QuadIndicesNumberEachQuadsCornersPastTheVerticesBefore) {
    std::vector<uint16_t> indices = {7, 8, 9};  // a mesh's triangle first
    AppendQuadIndices(indices, 10, 2);
    const std::vector<uint16_t> expected = {7, 8, 9, 10, 11, 12, 10, 12, 13, 14, 15, 16, 14, 16, 17};
    EXPECT_EQ(indices, expected);
}

}  // namespace
