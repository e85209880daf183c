// The GLES2 back-end's quad batches: issue order kept, a unit per texture, and a
// batch broken only when it has no unit left or no room.

#include "render/quad_batch.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Issued {
    uint32_t texture;
    float x;  // tells the quads apart
};

// Issues `textures` in order the way the back-end does: a refused quad flushes the
// batch and goes again. Returns every quad as the draws would show it, in draw order,
// and the number of draws.
std::vector<Issued> Batch(const std::vector<uint32_t>& textures, int32_t unitLimit, int& draws) {
    auto batch = std::make_unique<QuadBatch>();
    std::vector<Issued> drawn;
    draws = 0;
    auto flush = [&] {
        if (batch->quads == 0) return;
        ++draws;
        for (int32_t q = 0; q < batch->quads; ++q) {
            const BatchVertex* corner = &batch->vertices[q * 4];
            int unit = int(corner[0].unit);
            for (int i = 1; i < 4; ++i) EXPECT_EQ(corner[i].unit, corner[0].unit);
            EXPECT_LT(unit, batch->units);
            drawn.push_back({batch->textures[unit], corner[0].vertex.x});
        }
        ClearQuadBatch(*batch);
    };
    for (size_t i = 0; i < textures.size(); ++i) {
        DrawVertex corner{float(i), 0, 0, 1, 1, 1, 0, 0};
        const DrawVertex corners[4] = {corner, corner, corner, corner};
        if (!AddQuad(*batch, unitLimit, textures[i], corners)) {
            flush();
            EXPECT_TRUE(AddQuad(*batch, unitLimit, textures[i], corners));
        }
    }
    flush();
    return drawn;
}

// A frame's worth of sprites: shots (three textures each), sparks, entities with glows.
std::vector<uint32_t> FrameTextures() {
    std::vector<uint32_t> textures;
    for (int shot = 0; shot < 100; ++shot) textures.insert(textures.end(), {1, 3, 2});
    for (int spark = 0; spark < 2000; ++spark) textures.push_back(4);
    for (int entity = 0; entity < 100; ++entity)
        textures.insert(textures.end(), {uint32_t(13 + entity % 4), 2});
    for (int digit = 0; digit < 10; ++digit) textures.insert(textures.end(), {21, 2});
    return textures;
}

int Runs(const std::vector<uint32_t>& textures) {
    int runs = 0;
    for (size_t i = 0; i < textures.size(); ++i) runs += i == 0 || textures[i] != textures[i - 1];
    return runs;
}

TEST(QuadBatch, DrawsEveryQuadInIssueOrderWithItsOwnTexture) {
    std::vector<uint32_t> textures = FrameTextures();
    for (int32_t units : {1, 2, 3, 5, 16}) {
        int draws = 0;
        std::vector<Issued> drawn = Batch(textures, units, draws);
        ASSERT_EQ(drawn.size(), textures.size()) << units << " units";
        for (size_t i = 0; i < textures.size(); ++i) {
            ASSERT_EQ(drawn[i].texture, textures[i]) << "quad " << i << ", " << units << " units";
            ASSERT_EQ(drawn[i].x, float(i)) << "quad " << i << ", " << units << " units";
        }
    }
}

TEST(QuadBatch, BreaksOnlyWhenTheUnitsOrTheRoomRunOut) {
    std::vector<uint32_t> textures = FrameTextures();
    struct Case {
        int32_t units;
        int draws;
    };
    // One unit is one draw per run of a texture; with enough units only the batch's
    // room of 4096 quads ends one.
    const Case cases[] = {{1, Runs(textures)}, {16, 1}};
    for (const Case& c : cases) {
        int draws = 0;
        Batch(textures, c.units, draws);
        EXPECT_EQ(draws, c.draws) << c.units << " units";
    }
    std::vector<uint32_t> many(QUAD_BATCH_CAPACITY * 2 + 5, 7);
    int draws = 0;
    Batch(many, 16, draws);
    EXPECT_EQ(draws, 3) << "a batch holds " << QUAD_BATCH_CAPACITY << " quads";
}

TEST(QuadBatch, ATextureAlreadyOnAUnitTakesNoOther) {
    auto batch = std::make_unique<QuadBatch>();
    DrawVertex corner{};
    const DrawVertex corners[4] = {corner, corner, corner, corner};
    for (uint32_t texture : {5u, 6u, 5u, 6u, 5u}) EXPECT_TRUE(AddQuad(*batch, 2, texture, corners));
    EXPECT_EQ(batch->units, 2);
    EXPECT_FALSE(AddQuad(*batch, 2, 7, corners)) << "a third texture needs a third unit";
    EXPECT_EQ(batch->quads, 5) << "a refused quad leaves the batch as it was";
    EXPECT_EQ(batch->vertices[4 * 4].unit, 0.0f);
    EXPECT_EQ(batch->vertices[3 * 4].unit, 1.0f);
}

}  // namespace
