// The pieces both editions run the same way, each over its own tables: every case
// runs once per edition.
#include <gtest/gtest.h>

#include <string>

#include "classic/world.h"
#include "game/shot_launch.h"
#include "game/sparks.h"
#include "game/steering.h"
#include "game/world.h"

namespace {

struct EditionTables {
    const char* name;
    Spark* sparks;
    int sparkCapacity;
    Shot* shots;
    int shotCapacity;
};

void PrintTo(const EditionTables& e, std::ostream* out) { *out << e.name; }

class SharedPieces : public testing::TestWithParam<EditionTables> {
protected:
    void SetUp() override {
        const EditionTables& e = GetParam();
        for (int i = 0; i < e.sparkCapacity; ++i) e.sparks[i] = {};
        for (int i = 0; i < e.shotCapacity; ++i) e.shots[i] = {};
    }
};

TEST_P(SharedPieces, SparkTakesTheFirstFreeSlotAndIsDroppedWhenAllLive) {
    const EditionTables& e = GetParam();
    for (int i = 0; i < e.sparkCapacity; ++i)
        AddSpark(e.sparks, e.sparkCapacity, {0, 0, 0}, {0, 0, 0}, 9, {0, 0, 0});
    e.sparks[5].life = 0;
    AddSpark(e.sparks, e.sparkCapacity, {1, 2, 3}, {0, 0, 0}, 4, {0, 0, 0});
    EXPECT_EQ(e.sparks[5].life, 4);
    EXPECT_EQ(e.sparks[5].pos, Vector3(1, 2, 3));
    AddSpark(e.sparks, e.sparkCapacity, {7, 7, 7}, {0, 0, 0}, 4, {0, 0, 0});
    for (int i = 0; i < e.sparkCapacity; ++i) ASSERT_NE(e.sparks[i].pos, Vector3(7, 7, 7)) << i;
}

TEST_P(SharedPieces, SparkSlowsAndDiesOfAge) {
    const EditionTables& e = GetParam();
    AddSpark(e.sparks, e.sparkCapacity, {0, 0, 0}, {0.5, 0, 0}, 2, {1, 1, 1});
    StepSparks(e.sparks, e.sparkCapacity);
    EXPECT_EQ(e.sparks[0].pos, Vector3(0.5, 0, 0));
    EXPECT_EQ(e.sparks[0].vel, Vector3(0.5 * static_cast<double>(0.97f), 0, 0));
    StepSparks(e.sparks, e.sparkCapacity);
    EXPECT_EQ(e.sparks[0].life, 0);
    Vector3 resting = e.sparks[0].pos;
    StepSparks(e.sparks, e.sparkCapacity);
    EXPECT_EQ(e.sparks[0].pos, resting);
}

TEST_P(SharedPieces, ShotLeavesAlongTheHeadingFromTheFirstFreeSlot) {
    const EditionTables& e = GetParam();
    e.shots[0].active = 1;
    LaunchShot(e.shots, e.shotCapacity, {1, 2, 0}, {0, 1, 0});
    EXPECT_EQ(e.shots[1].active, 1);
    EXPECT_EQ(e.shots[1].pos, Vector3(1, 2, 0));
    EXPECT_EQ(e.shots[1].vel, Vector3(0, 0.5, 0));
    for (int i = 0; i < e.shotCapacity; ++i) e.shots[i].active = 1;
    e.shots[e.shotCapacity - 1].pos = {9, 9, 9};
    LaunchShot(e.shots, e.shotCapacity, {1, 2, 0}, {0, 1, 0});
    EXPECT_EQ(e.shots[e.shotCapacity - 1].pos, Vector3(9, 9, 9)) << "all in flight: nothing launched";
}

INSTANTIATE_TEST_SUITE_P(
    Editions, SharedPieces,
    testing::Values(EditionTables{"current", sparks, SPARK_CAPACITY, shots, SHOT_CAPACITY},
                    EditionTables{"classic", classic::sparks, classic::SPARK_CAPACITY, classic::shots,
                                  classic::SHOT_CAPACITY}),
    [](const testing::TestParamInfo<EditionTables>& info) { return std::string(info.param.name); });

class HeldKeys : public Controls {
public:
    explicit HeldKeys(std::initializer_list<int> slots) {
        for (int s : slots) held[s] = true;
    }
    void Poll() override {}
    bool KeyDown(int slot) const override { return slot >= 0 && slot < KEY_SLOT_COUNT && held[slot]; }

private:
    bool held[KEY_SLOT_COUNT] = {};
};

TEST(Steering, KeysAndTheirJoystickTwinsPushAlike) {
    Vector3 keys, stick;
    EXPECT_TRUE(AddSteeringKeys(HeldKeys{KEY_RIGHT, KEY_UP}, keys));
    EXPECT_TRUE(AddSteeringKeys(HeldKeys{KEY_JOY_RIGHT, KEY_JOY_UP}, stick));
    EXPECT_EQ(keys, stick);
    Vector3 none;
    EXPECT_FALSE(AddSteeringKeys(HeldKeys{KEY_Z, KEY_1}, none));
    EXPECT_EQ(none, Vector3(0, 0, 0));
}

TEST(Steering, OppositeKeysTogetherDriftUpAndRight) {
    Vector3 steering;
    EXPECT_TRUE(AddSteeringKeys(HeldKeys{KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN}, steering));
    EXPECT_GT(steering.x, 0);
    EXPECT_GT(steering.y, 0);
}

TEST(Steering, ShipStaysInsideTheArena) {
    Vector3 far(100, -100, 3);
    KeepInArena(far);
    EXPECT_EQ(far, Vector3(21, -15.5, 3));
    Vector3 inside(-20.5, 15, 0);
    KeepInArena(inside);
    EXPECT_EQ(inside, Vector3(-20.5, 15, 0));
}

}  // namespace
