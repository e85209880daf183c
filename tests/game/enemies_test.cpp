#include <gtest/gtest.h>

#include <cmath>

#include "game/enemies.h"
#include "game/enemy_kinds.h"
#include "game/random.h"
#include "game/update.h"
#include "world_fixture.h"

namespace {

class Enemies : public WorldTest {
protected:
    FakeControls input;

    // Fills every slot but the last `free` ones with far-away Droppings.
    static void FillEntities(int free) {
        for (int i = 0; i < ENTITY_CAPACITY - free; ++i) PlaceEntity(i, Dropping, {-20, 10, 0}, 200);
    }
};

// The generator state that came `draws` draws before `state`: the inverse of
// state × 214013 + 2531011 modulo 2^32.
uint32_t StateBefore(uint32_t state, int draws) {
    uint32_t inverse = 214013;  // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2 - 214013u * inverse;
    for (int i = 0; i < draws; ++i) state = (state - 2531011u) * inverse;
    return state;
}

TEST_F(Enemies, SpawnAimsInwardsAtLevelSpeed) {
    int i = SpawnEntity({30, 0, 0}, Wanderer);
    ASSERT_EQ(i, 0);
    const Entity& e = entities[i];
    EXPECT_EQ(e.life, 1);
    EXPECT_LT(e.vel.x, 0);
    EXPECT_NEAR(e.vel.Length(), 11 * static_cast<double>(0.01f), 1e-15);
}

TEST_F(Enemies, SpawnTakesTheFirstFreeSlot) {
    PlaceEntity(0, Gunner, {0, 0, 0}, 10);
    PlaceEntity(2, Gunner, {0, 0, 0}, 10);
    EXPECT_EQ(SpawnEntity({5, 5, 0}, EnemyShot), 1);
    EXPECT_EQ(SpawnEntity({5, 5, 0}, EnemyShot), 3);
}

TEST_F(Enemies, SpawnIntoAFullTableCreatesNothingAndDrawsNothing) {
    FillEntities(0);
    uint32_t before = gameRandom.state;
    EXPECT_EQ(SpawnEntity({1, 1, 0}, Hunter), -1);
    EXPECT_EQ(gameRandom.state, before);
    for (const Entity& e : entities) ASSERT_EQ(e.type, Dropping);
}

TEST_F(Enemies, HunterWithAlmostFullTableGetsOnlyTheFreeSlots) {
    for (int free : {1, 2, 4}) {
        SetUpWorld(currentEdition, 1);
        FillEntities(free);
        for (int i = 0; i < ENTITY_CAPACITY - free; ++i) entities[i].counter = 1000 + i;
        int hunter = SpawnEntity({10, 0, 0}, Hunter);
        ASSERT_EQ(hunter, ENTITY_CAPACITY - free);
        int orbiters = 0;
        for (int i = 0; i < ENTITY_CAPACITY; ++i) {
            const Entity& e = entities[i];
            if (i < hunter) {
                ASSERT_EQ(e.type, Dropping);
                ASSERT_EQ(e.counter, 1000 + i) << "a filled slot was touched";
                ASSERT_EQ(e.parent, 0);
            } else if (i > hunter) {
                EXPECT_EQ(e.type, Orbiter);
                EXPECT_EQ(e.parent, hunter);
                orbiters += 1;
            }
        }
        EXPECT_EQ(orbiters, free - 1);
    }
}

TEST_F(Enemies, HunterSpreadsSixOrbiters) {
    int hunter = SpawnEntity({10, 0, 0}, Hunter);
    const int counters[] = {0, 10, 20, 31, 41, 52};
    for (int k = 0; k < 6; ++k) {
        const Entity& o = entities[hunter + 1 + k];
        EXPECT_EQ(o.type, Orbiter);
        EXPECT_EQ(o.life, 2);
        EXPECT_EQ(o.parent, hunter);
        EXPECT_EQ(o.counter, counters[k]);
    }
}

TEST_F(Enemies, OrbitersVanishWithTheirHunter) {
    StopWaves();
    struct Case {
        const char* how;
        int32_t hunterType;
        int32_t hunterLife;
    };
    for (Case c : {Case{"freed", Hunter, 0}, Case{"became a dropping", Dropping, 200}}) {
        SetUpWorld(currentEdition, 1);
        StopWaves();
        int hunter = SpawnEntity({10, 0, 0}, Hunter);
        UpdateWorld(input);
        EXPECT_EQ(LiveEntities(), 7);
        entities[hunter].type = c.hunterType;
        entities[hunter].life = c.hunterLife;
        UpdateWorld(input);
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(entities[hunter + k].life, 0) << c.how;
        EXPECT_EQ(ActiveShockwaves(), 0) << c.how;
        EXPECT_EQ(score, 0) << c.how;
    }
}

TEST_F(Enemies, OrbiterCirclesAtRadiusTwo) {
    StopWaves();
    int hunter = SpawnEntity({10, 0, 0}, Hunter);
    for (int step = 0; step < 5; ++step) {
        UpdateWorld(input);
        // The orbiter placed itself before moving by its zero velocity, after its
        // Hunter (a lower slot) had moved.
        for (int k = 1; k <= 6; ++k) {
            EXPECT_NEAR((entities[hunter + k].pos - entities[hunter].pos).Length(), 2, 1e-12);
        }
    }
}

TEST_F(Enemies, GunnerThrowsAShotEvery20StepsTurning02Radians) {
    StopWaves();
    PlaceEntity(0, Gunner, {-15, 10, 0}, 10);
    entities[0].counter = 0;
    std::vector<double> angles;
    for (int step = 1; step <= 60; ++step) {
        UpdateWorld(input);
        if (step % 20 == 0) {
            ASSERT_EQ(LiveEntities(), 1 + step / 20);
            const Entity& shot = entities[step / 20];
            EXPECT_EQ(shot.type, EnemyShot);
            EXPECT_NEAR(shot.vel.Length(), 0.03 * std::pow(1.01, 1), 1e-6);
            angles.push_back(std::atan2(shot.vel.y, shot.vel.x));
        }
    }
    ASSERT_EQ(angles.size(), 3u);
    EXPECT_NEAR(angles[0], 0.2, 1e-6);
    EXPECT_NEAR(angles[1] - angles[0], 0.2, 1e-6);
    EXPECT_NEAR(angles[2] - angles[1], 0.2, 1e-6);
}

TEST_F(Enemies, GunnerWithFullTableLosesItsShotOnly) {
    StopWaves();
    FillEntities(0);
    PlaceEntity(50, Gunner, {-15, 10, 0}, 10);
    entities[50].counter = 19;
    UpdateWorld(input);
    EXPECT_EQ(entities[50].counter, 20);
    for (int i = 0; i < ENTITY_CAPACITY; ++i) {
        if (i != 50) {
            ASSERT_EQ(entities[i].type, Dropping);
        }
    }
}

TEST_F(Enemies, WandererColoursAreNeverDark) {
    int dark = 0;
    for (uint32_t seed = 1; seed <= 5000; ++seed) {
        SeedGameRand(seed * 2654435761u);
        entities[0].life = 0;
        ASSERT_EQ(SpawnEntity({0, 30, 0}, Wanderer), 0);
        const Vector3& c = entities[0].colour;
        if (c.Length() < static_cast<double>(0.3f)) dark += 1;
        for (double part : {c.x, c.y, c.z}) {
            double steps = part / static_cast<double>(0.01f);
            ASSERT_EQ(steps, std::trunc(steps)) << "components are multiples of 0.01f";
            ASSERT_LE(steps, 101);
        }
    }
    EXPECT_EQ(dark, 0);
}

TEST_F(Enemies, WaveRollOfKindThreeMakesNothing) {
    // Draws of a level-1 wave: kw, a, t, then the spawn's two aim draws. Choose the
    // start state so that t comes out as 32767 (kind 3).
    uint32_t afterT = 0x7fff1234u;
    SeedGameRand(StateBefore(afterT, 3));
    uint32_t expected = afterT;
    for (int i = 0; i < 2; ++i) expected = expected * 214013u + 2531011u;
    SpawnWave();
    EXPECT_EQ(LiveEntities(), 0);
    EXPECT_EQ(gameRandom.state, expected) << "nothing is drawn after the two aim draws";
}

TEST_F(Enemies, WaveEntersOnTheRadius30Circle) {
    SpawnWave();
    ASSERT_EQ(LiveEntities(), 1);
    EXPECT_NEAR(entities[0].pos.Length(), 30, 1e-12);
    EXPECT_EQ(entities[0].pos.z, 0);
}

TEST_F(Enemies, DroppingKeepsTheKillersVelocityAndSlowsOnePercent) {
    StopWaves();
    PlaceEntity(0, Dropping, {5, 5, 0}, 200);
    entities[0].vel = {0.1, -0.05, 0};
    UpdateWorld(input);
    EXPECT_EQ(entities[0].life, 199);
    EXPECT_EQ(entities[0].vel, Vector3(0.1, -0.05, 0) * 0.99f);
    for (int step = 0; step < 199; ++step) UpdateWorld(input);
    EXPECT_EQ(entities[0].life, 0);
}

TEST_F(Enemies, EntitiesLeavingTheCircleAreFreed) {
    StopWaves();
    PlaceEntity(0, EnemyShot, {29.95, 0, 0}, 1);
    entities[0].vel = {0.1, 0, 0};
    UpdateWorld(input);
    EXPECT_EQ(entities[0].life, 0);
}

TEST_F(Enemies, SpawnedIntoALaterSlotIsUpdatedInTheSameStep) {
    StopWaves();
    PlaceEntity(0, Gunner, {-15, 10, 0}, 10);
    entities[0].counter = 19;
    UpdateWorld(input);
    const Entity& shot = entities[1];
    ASSERT_EQ(shot.type, EnemyShot);
    EXPECT_EQ(shot.texture, SLOT_ENEMYSHOT);  // its behaviour ran
    EXPECT_EQ(shot.scale, 0.3f);
}

// The Wanderer in slot 0 is freed by touching the player; the Gunner in slot 1
// then throws its shot into that slot, which the pass has already left behind.
TEST_F(Enemies, SlotFreedEarlierInTheStepIsRefilledButNotUpdatedAgain) {
    StopWaves();
    PlaceEntity(0, Wanderer, {0.5, 0, 0}, 1);
    PlaceEntity(1, Gunner, {-15, 10, 0}, 10);
    entities[1].counter = 19;
    UpdateWorld(input);
    EXPECT_EQ(lives, 1);
    const Entity& shot = entities[0];
    EXPECT_EQ(shot.type, EnemyShot);
    EXPECT_EQ(shot.life, 1);
    EXPECT_EQ(shot.texture, SLOT_ENEMY1) << "still the Wanderer's looks: not updated this step";
    EXPECT_EQ(shot.pos, entities[1].pos - entities[1].vel) << "spawned where the Gunner stood";
}

}  // namespace

// The kinds' table against the rest of the game: every kind is found by its
// number, its picture is one the manifest gives this edition, and what a shot
// can strike (numbers below 100) is exactly what has an explosion and a score.
TEST(EnemyKinds, EveryKindHasAManifestPictureAndConsistentRules) {
    for (int32_t type : {Wanderer, Hunter, Gunner, Orbiter, Dropping, EnemyShot})
        EXPECT_NE(FindEnemyKind(type), nullptr) << type;
    EXPECT_EQ(FindEnemyKind(-1), nullptr);
    // Every number a kind may have, so a new kind is checked without being named here.
    for (int32_t type = 0; type <= 1000; ++type) {
        const EnemyKind* kind = FindEnemyKind(type);
        if (kind == nullptr) continue;
        SCOPED_TRACE(type);
        EXPECT_EQ(kind->type, type);
        bool loaded = false;
        for (const ManifestPicture& picture : CURRENT_PICTURES)
            loaded = loaded || picture.slot == kind->picture;
        EXPECT_TRUE(loaded) << "slot " << kind->picture << " is not in the manifest's current pictures";
        EXPECT_EQ(kind->explosion > 0, type < 100);
        EXPECT_EQ(kind->score > 0, type < 100);
        EXPECT_GE(kind->life, 0);
        EXPECT_NE(kind->step, nullptr);
    }
}

// Only a kind with a life can be spawned; the Dropping comes of a destroyed enemy.
TEST_F(Enemies, OnlyKindsWithALifeSpawn) {
    EXPECT_EQ(SpawnEntity({0, 0, 0}, Dropping), -1);
    EXPECT_EQ(SpawnEntity({0, 0, 0}, 3), -1);
    EXPECT_EQ(entities[0].life, 0) << "a refused spawn leaves its slot free";
    int i = SpawnEntity({0, 0, 0}, Orbiter);
    ASSERT_EQ(i, 0);
    EXPECT_EQ(entities[i].life, FindEnemyKind(Orbiter)->life);
}
