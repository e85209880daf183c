#include <gtest/gtest.h>

#include "current/explosions.h"
#include "game/random.h"
#include "world_fixture.h"

namespace {

class Explosions : public WorldTest {};

TEST_F(Explosions, LargeShockwaveRingsForAHundredStepsEndingSlightlyNegative) {
    Explode({3, 4, 0}, EXPLOSION_LARGE);
    ASSERT_EQ(shockwaves[0].startAge, 1);
    for (int step = 1; step <= 100; ++step) {
        gridForceCount = 0;
        StepShockwaves();
        ASSERT_EQ(gridForceCount, 1) << "step " << step;
        const GridForce& f = gridForces[0];
        EXPECT_EQ(f.ring, step);
        EXPECT_EQ(f.pos, Vector3(3, 4, 0));
        EXPECT_EQ(f.push, 0);
        EXPECT_EQ(f.drag, 0);
        if (step < 100) {
            EXPECT_GE(f.ringStrength, 0) << "step " << step;
        }
    }
    EXPECT_EQ(gridForces[0].ringStrength, static_cast<float>(-1 * 1.5 / 99));
    EXPECT_EQ(shockwaves[0].age, 0);
    gridForceCount = 0;
    StepShockwaves();
    EXPECT_EQ(gridForceCount, 0);
}

TEST_F(Explosions, ShockwaveLengthFollowsTheKind) {
    struct Case {
        int32_t kind;
        int steps;
    };
    for (Case c : {Case{EXPLOSION_MEDIUM, 51}, Case{EXPLOSION_SMALL, 21}}) {
        SetUpWorld(currentEdition, 1);
        Explode({0, 0, 0}, c.kind);
        int steps = 0;
        while (shockwaves[0].age != 0) {
            gridForceCount = 0;
            StepShockwaves();
            steps += 1;
            ASSERT_LE(steps, 200);
        }
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(gridForces[0].ring, c.steps);
    }
}

TEST_F(Explosions, SparksFlyOutOrange) {
    Explode({1, 2, 0}, EXPLOSION_LARGE);
    EXPECT_EQ(LiveSparks(), 198);
    for (int i = 0; i < 198; ++i) {
        const Spark& s = sparks[i];
        EXPECT_EQ(s.pos, Vector3(1, 2, 0));
        EXPECT_GE(s.life, 50);
        EXPECT_LE(s.life, 101);
        EXPECT_LE(s.vel.Length(), 101 * static_cast<double>(0.005f) + 1e-12);
        EXPECT_EQ(s.colour, Vector3(1.0, 0.7f, 0.2f));
    }
}

TEST_F(Explosions, SparkTableCapsAt2000AndDrawsStayInStep) {
    for (int i = 0; i < SPARK_CAPACITY - 10; ++i)
        AddSpark(sparks, SPARK_CAPACITY, {0, 0, 0}, {0, 0, 0}, 500, {0, 0, 0});
    RandomGenerator expected = gameRandom;
    for (int i = 0; i < 2 * EXPLOSION_SMALL * 4; ++i) expected.Next();  // four draws per spark
    Explode({0, 0, 0}, EXPLOSION_SMALL);
    EXPECT_EQ(LiveSparks(), SPARK_CAPACITY);
    EXPECT_EQ(gameRandom.state, expected.state);
    AddSpark(sparks, SPARK_CAPACITY, {0, 0, 0}, {1, 0, 0}, 7, {0, 0, 0});
    for (const Spark& s : sparks) ASSERT_NE(s.life, 7);
}

TEST_F(Explosions, FullShockwaveTableStillMakesSparks) {
    for (Shockwave& w : shockwaves) w = {5, 1, {0, 0, 0}};
    Explode({9, 9, 0}, EXPLOSION_MEDIUM);
    EXPECT_EQ(LiveSparks(), 100);
    for (const Shockwave& w : shockwaves) ASSERT_EQ(w.age, 5);
}

TEST_F(Explosions, TwoExplosionsAtOnePointRingIndependently) {
    Explode({2, 2, 0}, EXPLOSION_LARGE);
    Explode({2, 2, 0}, EXPLOSION_LARGE);
    gridForceCount = 0;
    StepShockwaves();
    EXPECT_EQ(gridForceCount, 2);
    EXPECT_EQ(gridForces[0].ring, gridForces[1].ring);
}

}  // namespace
