// The pieces both editions run the same way, each over its own tables: every case
// runs once per edition.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "classic/world.h"
#include "current/world.h"
#include "game/dropping.h"
#include "game/explosion_sparks.h"
#include "game/grid.h"
#include "game/player_contact.h"
#include "game/random.h"
#include "game/shot_launch.h"
#include "game/sound_effects.h"
#include "game/sparks.h"
#include "game/spawning.h"
#include "game/steering.h"

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

TEST_P(SharedPieces, ExplosionSparksFlyOutOrangeAndDrawFourEachEvenWhenDropped) {
    const EditionTables& e = GetParam();
    SeedGameRand(3);
    AddExplosionSparks(e.sparks, e.sparkCapacity, {1, 2, 0}, 40);
    for (int i = 0; i < 40; ++i) {
        const Spark& s = e.sparks[i];
        EXPECT_EQ(s.pos, Vector3(1, 2, 0));
        EXPECT_GE(s.life, 50);
        EXPECT_LE(s.life, 101);
        EXPECT_LE(s.vel.Length(), 101 * static_cast<double>(0.005f) + 1e-12);
        EXPECT_EQ(s.colour, Vector3(1.0, 0.7f, 0.2f));
    }
    EXPECT_EQ(e.sparks[40].life, 0);
    for (int i = 0; i < e.sparkCapacity; ++i) e.sparks[i].life = 500;
    RandomGenerator expected = gameRandom;
    for (int i = 0; i < 10 * 4; ++i) expected.Next();
    AddExplosionSparks(e.sparks, e.sparkCapacity, {0, 0, 0}, 10);
    EXPECT_EQ(gameRandom.state, expected.state) << "a full table drops the sparks, not the draws";
    for (int i = 0; i < e.sparkCapacity; ++i) ASSERT_EQ(e.sparks[i].life, 500) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Editions, SharedPieces,
    testing::Values(EditionTables{"current", sparks, SPARK_CAPACITY, shots, SHOT_CAPACITY},
                    EditionTables{"classic", classic::sparks, classic::SPARK_CAPACITY, classic::shots,
                                  classic::SHOT_CAPACITY}),
    [](const testing::TestParamInfo<EditionTables>& info) { return std::string(info.param.name); });

// Each edition's entity record, for the pieces written over either table.
template <typename EntityRecord>
class SharedEntityPieces : public testing::Test {};
using EntityRecords = testing::Types<Entity, classic::Entity>;
TYPED_TEST_SUITE(SharedEntityPieces, EntityRecords);

TYPED_TEST(SharedEntityPieces, DroppingAgesSlowsAndFadesOverItsLast25Steps) {
    TypeParam e{};
    e.life = 30;
    e.vel = {0.1, -0.05, 0};
    StepDropping(e, 6);
    EXPECT_EQ(e.life, 29);
    EXPECT_EQ(e.texture, 6);
    EXPECT_EQ(e.vel, Vector3(0.1, -0.05, 0) * 0.99f);
    EXPECT_EQ(e.colour.x, static_cast<double>(0.2f)) << "full brightness above 25 steps";
    while (e.life > 10) StepDropping(e, 6);
    EXPECT_NEAR(e.colour.x, 0.2 * 10 * 0.04, 1e-7) << "fading linearly";
    while (e.life > 0) StepDropping(e, 6);
    EXPECT_EQ(e.colour, Vector3(0, 0, 0));
}

TYPED_TEST(SharedEntityPieces, FirstFreeEntityIsTheLowestSlotWithNoLife) {
    TypeParam table[5] = {};
    for (TypeParam& e : table) e.life = 3;
    EXPECT_EQ(FirstFreeEntity(table, 5), -1);
    table[4].life = 0;
    table[2].life = 0;
    EXPECT_EQ(FirstFreeEntity(table, 5), 2);
    table[2].life = -1;  // a freed slot is 0 exactly; anything else counts as taken
    EXPECT_EQ(FirstFreeEntity(table, 5), 4);
}

TEST(SharedPieces, NewEntitiesHeadInwardsFasterAtHigherLevelsAfterTwoDraws) {
    for (int32_t level : {1, 4}) {
        SeedGameRand(11);
        RandomGenerator expected = gameRandom;
        expected.Next();
        expected.Next();
        Vector3 vel = AimInwards({30, 0, 0}, level);
        EXPECT_EQ(gameRandom.state, expected.state);
        EXPECT_LT(vel.x, 0);
        EXPECT_LT(std::fabs(vel.y), std::fabs(vel.x) * 0.5) << "aimed near the centre";
        EXPECT_NEAR(vel.Length(), (level + 10) * static_cast<double>(0.01f), 1e-15);
    }
}

// Each edition's grid force record, for the append both editions share.
template <typename Force>
class SharedGridForces : public testing::Test {};
using GridForceRecords = testing::Types<GridForce, classic::GridForce>;
TYPED_TEST_SUITE(SharedGridForces, GridForceRecords);

TYPED_TEST(SharedGridForces, ForcesBeyondTheTableAreDropped) {
    TypeParam table[8] = {};
    int32_t count = 0;
    for (int i = 0; i < 12; ++i) {
        TypeParam f{};
        f.pos = {static_cast<double>(i), 0, 0};
        AppendGridForce(table, count, 8, f);
    }
    EXPECT_EQ(count, 8);
    EXPECT_EQ(table[7].pos.x, 7);
}

TEST(SharedPieces, DroppingPulsesWhileItLives) {
    double lowest = 1, highest = 0;
    for (int32_t life = 199; life >= 25; --life) {
        Vector3 c = DroppingColour(life);
        lowest = std::min(lowest, c.y);
        highest = std::max(highest, c.y);
    }
    EXPECT_LT(lowest, 0.0);
    EXPECT_GT(highest, 0.7);
}

// The player's part of a world, as the test holds it, with every explosion and
// sound the contact rules set off recorded.
class Contact : public testing::Test {
protected:
    static std::vector<Vector3>& Explosions() {
        static std::vector<Vector3> at;
        return at;
    }
    static std::vector<int>& Sounds() {
        static std::vector<int> slots;
        return slots;
    }
    static void RecordExplosion(const Vector3& at) { Explosions().push_back(at); }
    static void RecordSound(int slot, int, int) { Sounds().push_back(slot); }

    void SetUp() override {
        Explosions().clear();
        Sounds().clear();
        SetSoundObserver(RecordSound);
    }
    void TearDown() override { SetSoundObserver(nullptr); }

    Vector3 pos{4, 3, 0}, vel{0.1, 0, 0};
    int32_t lives = 2, respawnTimer = 0, score = 0, frameCounter = 500;
    int32_t entityLife = 10;
    PlayerContact Player(double killDistance) {
        return {pos, vel, lives, respawnTimer, score, frameCounter, killDistance, RecordExplosion};
    }
};

TEST_F(Contact, DeathAndCollectionFollowDistanceAndProtection) {
    struct Case {
        bool hostile;
        double distance;
        int32_t timer;
        bool dies, collects;
    };
    const Case cases[] = {
        {true, 0.99, 0, true, false},    {true, 1.01, 0, false, false},  {true, 0.5, 1, false, false},
        {false, 1.49, 149, false, true}, {false, 1.51, 0, false, false}, {false, 0.5, 150, false, false},
    };
    for (const Case& c : cases) {
        lives = 2;
        score = 0;
        entityLife = 10;
        respawnTimer = c.timer;
        pos = {4, 3, 0};
        TestPlayerContact(Player(1.0), entityLife, pos + Vector3(0, c.distance, 0), c.hostile);
        EXPECT_EQ(lives == 1, c.dies) << c.distance << " timer " << c.timer;
        EXPECT_EQ(score == 75, c.collects) << c.distance << " timer " << c.timer;
        EXPECT_EQ(entityLife == 0, c.dies || c.collects) << c.distance << " timer " << c.timer;
    }
}

TEST_F(Contact, DeathExplodesTwiceWhereThePlayerWasAndProtectsTheNewLife) {
    TestPlayerContact(Player(1.5), entityLife, {4, 4.4, 0}, true);
    EXPECT_EQ(Explosions(), (std::vector<Vector3>{{4, 3, 0}, {4, 3, 0}}));
    EXPECT_EQ(lives, 1);
    EXPECT_EQ(pos, Vector3(0, 0, 0));
    EXPECT_EQ(vel, Vector3(0, 0, 0));
    EXPECT_EQ(respawnTimer, 300);
    EXPECT_EQ(Sounds(), (std::vector<int>{SOUND_DIE, SOUND_EXPLODE}));
    EXPECT_EQ(frameCounter, 500);
}

TEST_F(Contact, LastLifeLostStartsTheGameOverCount) {
    lives = 0;
    TestPlayerContact(Player(1.0), entityLife, pos, true);
    EXPECT_EQ(lives, -1);
    EXPECT_EQ(frameCounter, 0);
}

TEST_F(Contact, CollectionsInTheFirstHundredStepsAreSilent) {
    for (int32_t counter : {100, 101}) {
        Sounds().clear();
        frameCounter = counter;
        entityLife = 10;
        TestPlayerContact(Player(1.0), entityLife, pos, false);
        EXPECT_EQ(entityLife, 0);
        EXPECT_EQ(Sounds() == std::vector<int>{SOUND_PICKUP}, counter > 100) << counter;
    }
    EXPECT_EQ(score, 150);
}

TEST(GameOver, FireRestartsOnlyAfterTheSignHasShownFor75Steps) {
    struct Case {
        int32_t lives, frameCounter;
        bool fire, over, restarts;
    };
    const Case cases[] = {
        {0, 500, true, false, false},
        {-1, 75, true, true, false},
        {-1, 76, true, true, true},
        {-1, 500, false, true, false},
    };
    static int restarts;
    for (const Case& c : cases) {
        restarts = 0;
        int32_t respawnTimer = 7;
        bool over = RestartOnFire(c.fire, c.lives, respawnTimer, c.frameCounter, [] { restarts += 1; });
        EXPECT_EQ(over, c.over) << c.lives << " " << c.frameCounter;
        EXPECT_EQ(restarts, c.restarts ? 1 : 0) << c.lives << " " << c.frameCounter;
        EXPECT_EQ(respawnTimer, c.over ? 300 : 7) << "game over keeps the player protected";
    }
}

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

TEST(Steering, EscapeEndsTheStepAfterThePoll) {
    class Counting : public HeldKeys {
    public:
        using HeldKeys::HeldKeys;
        void Poll() override { polls += 1; }
        int polls = 0;
    };
    Counting playing{KEY_Z}, quitting{KEY_ESCAPE};
    EXPECT_TRUE(PollUnlessEscape(playing));
    EXPECT_FALSE(PollUnlessEscape(quitting));
    EXPECT_EQ(playing.polls + quitting.polls, 2);
    EXPECT_TRUE(FireHeld(HeldKeys{KEY_JOY_BUTTON1}));
    EXPECT_FALSE(FireHeld(HeldKeys{KEY_UP}));
}

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
