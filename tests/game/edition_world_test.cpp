// Each edition's world as one list of fields: set up again after a game, or put
// back from a snapshot, it plays the same steps bit for bit. Every case runs once
// per edition.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/trace_line.h"
#include "classic/edition.h"
#include "current/edition.h"
#include "current/world.h"
#include "game/edition.h"
#include "game/random.h"
#include "game/world_fields.h"
#include "game/world_trace.h"

namespace {

// Steers round in quarter turns of 40 steps with fire held, letting go every 9th
// step (so the earlier edition's one-shot-per-press fires too): waves, shots,
// kills, sparks and a rippling grid within a few hundred steps.
class CircleAndFire : public Controls {
public:
    void Poll() override { step += 1; }
    bool KeyDown(int slot) const override {
        static const int TURNS[4] = {KEY_RIGHT, KEY_UP, KEY_LEFT, KEY_DOWN};
        if (slot == KEY_Z) return step % 9 != 0;
        return slot == TURNS[(step / 40) % 4];
    }
    long step = 0;
};

// Every field of the edition's list to the byte 0xA5: a world unlike any game's.
class Scribbler : public WorldFields {
    void Visit(void* field, size_t size) override { std::memset(field, 0xA5, size); }
};

class EditionWorld : public testing::TestWithParam<const Edition*> {
protected:
    const Edition& edition() const { return *GetParam(); }

    // `count` steps, each written as its trace line (the state with the grid's and
    // the sparks' hashes) and the generator's state.
    std::vector<std::string> Play(Controls& input, int count) const {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i) {
            EXPECT_TRUE(edition().updateWorld(input));
            TraceLine line;
            edition().writeState(line);
            line.Key("rand").Int(gameRandom.state);
            lines.push_back(line.Finish());
        }
        return lines;
    }
};

std::string EditionName(const testing::TestParamInfo<const Edition*>& info) { return info.param->name; }

TEST_P(EditionWorld, SetUpAfterAGameAndAScribbledWorldPlaysTheSameSteps) {
    SetUpWorld(edition(), 5);
    CircleAndFire first;
    std::vector<std::string> expected = Play(first, 400);
    CircleAndFire more;
    Play(more, 250);
    Scribbler scribbler;
    edition().worldFields(scribbler);
    SetUpWorld(edition(), 5);
    CircleAndFire again;
    std::vector<std::string> replayed = Play(again, 400);
    for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(replayed[i], expected[i]) << "step " << i + 1;
}

TEST_P(EditionWorld, PutBackSnapshotPlaysTheSameSteps) {
    SetUpWorld(edition(), 9);
    CircleAndFire input;
    Play(input, 300);
    WorldSnapshot snapshot = SaveWorld(edition().worldFields);
    long resumeAt = input.step;
    std::vector<std::string> expected = Play(input, 200);
    Scribbler scribbler;
    edition().worldFields(scribbler);
    ASSERT_TRUE(RestoreWorld(edition().worldFields, snapshot));
    input.step = resumeAt;
    std::vector<std::string> replayed = Play(input, 200);
    for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(replayed[i], expected[i]) << "step " << i + 1;
}

TEST_P(EditionWorld, ResetLeavesNoFieldSetButTheGridsSize) {
    SetUpWorld(edition(), 2);
    CircleAndFire input;
    Play(input, 100);
    edition().resetWorld();
    std::vector<unsigned char> bytes = SaveWorld(edition().worldFields).fields;
    size_t set = 0;
    for (unsigned char b : bytes) set += b != 0;
    // 55 and 40 fit in one byte each.
    EXPECT_EQ(set, 2u);
    EXPECT_EQ(gridColumns, GRID_COLUMNS);
    EXPECT_EQ(gridRows, GRID_ROWS);
}

INSTANTIATE_TEST_SUITE_P(Editions, EditionWorld, testing::Values(&currentEdition, &classic::edition),
                         EditionName);

TEST(WorldSnapshot, AnotherEditionsSnapshotIsRefusedAndChangesNothing) {
    SetUpWorld(classic::edition, 1);
    WorldSnapshot classicWorld = SaveWorld(classic::edition.worldFields);
    SetUpWorld(currentEdition, 1);
    WorldSnapshot before = SaveWorld(currentEdition.worldFields);
    EXPECT_FALSE(RestoreWorld(currentEdition.worldFields, classicWorld));
    EXPECT_EQ(SaveWorld(currentEdition.worldFields).fields, before.fields);
}

}  // namespace
