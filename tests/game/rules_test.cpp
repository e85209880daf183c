#include <gtest/gtest.h>

#include "base/log.h"
#include "current/update.h"
#include "world_fixture.h"

namespace {

class Rules : public WorldTest {
protected:
    FakeControls input;

    // Runs `steps` steps and returns the steps (1-based) at which the shot sound played.
    std::vector<int> FireSteps(int steps, bool tap) {
        std::vector<int> fired;
        for (int step = 1; step <= steps; ++step) {
            input.held.clear();
            if (!tap || step % 2 == 0) input.held.insert(KEY_Z);
            Sounds().clear();
            UpdateWorld(input);
            for (const SoundCall& s : Sounds()) {
                if (s == SoundCall{SOUND_SHOT, 37, 1}) fired.push_back(step);
            }
        }
        return fired;
    }
};

TEST_F(Rules, EscapeEndsTheStepBeforeAnythingElse) {
    input.held = {KEY_ESCAPE, KEY_Z, KEY_UP};
    LogDisable();
    EXPECT_FALSE(UpdateWorld(input));
    EXPECT_EQ(input.polls, 1);
    EXPECT_TRUE(LogEnabled());
    LogDisable();
    EXPECT_EQ(frameCounter, 0);
    EXPECT_EQ(waveTimer, 0);
    EXPECT_EQ(LiveEntities(), 0);
    EXPECT_EQ(playerVel, Vector3());
    EXPECT_TRUE(Sounds().empty());
}

TEST_F(Rules, FirstStepSpawnsAWave) {
    EXPECT_TRUE(UpdateWorld(input));
    EXPECT_EQ(waveTimer, 50);
    EXPECT_EQ(LiveEntities(), 1);  // level 1: one entity per wave
    for (int step = 0; step < 49; ++step) UpdateWorld(input);
    EXPECT_EQ(waveTimer, 1);
    UpdateWorld(input);
    EXPECT_EQ(waveTimer, 50);
}

TEST_F(Rules, NewGameKeepsTheControlMode) {
    controlMode = 0;
    NewGame();
    EXPECT_EQ(controlMode, 0);
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(fireCooldown, 20);
    EXPECT_EQ(playerHeading, Vector3(0, 1, 0));
}

TEST_F(Rules, HeldFireShootsEverySevenStepsAfterTheStartCooldown) {
    StopWaves();
    EXPECT_EQ(FireSteps(40, false), (std::vector<int>{20, 27, 34}));
    EXPECT_EQ(ActiveShots(), 3);
    EXPECT_EQ(shots[0].vel, Vector3(0, 0.5, 0));
}

TEST_F(Rules, TappingFireShootsOnEveryPress) {
    StopWaves();
    EXPECT_EQ(FireSteps(10, true), (std::vector<int>{2, 4, 6, 8, 10}));
}

TEST_F(Rules, FullShotTableStillPlaysTheSoundAndRestartsTheCooldown) {
    StopWaves();
    for (Shot& s : shots) s = {1, {0, 0, 0}, {0, 0, 0}};
    fireCooldown = 0;
    input.held = {KEY_JOY_BUTTON1};
    UpdateWorld(input);
    EXPECT_EQ(Sounds(), (std::vector<SoundCall>{{SOUND_SHOT, 37, 1}}));
    EXPECT_EQ(fireCooldown, 7);
    for (const Shot& s : shots) EXPECT_EQ(s.vel, Vector3());
}

TEST_F(Rules, LeftAndRightTogetherDriftRightInModesZeroAndTwo) {
    for (int mode : {0, 2}) {
        SetUpWorld(currentEdition, 1);
        StopWaves();
        controlMode = mode;
        input.held = {KEY_LEFT, KEY_JOY_RIGHT, KEY_UP, KEY_DOWN};
        UpdateWorld(input);
        double x = 0.0 + static_cast<double>(0.031f) - static_cast<double>(0.03f);
        EXPECT_EQ(steerInput.x, x) << "mode " << mode;
        EXPECT_EQ(steerInput.y, x) << "mode " << mode;
        Vector3 expected = Normalise(steerInput) * 0.03f * 0.9f;
        EXPECT_EQ(playerVel, expected) << "mode " << mode;
        EXPECT_GT(playerPos.x, 0) << "mode " << mode;
        EXPECT_GT(playerPos.y, 0) << "mode " << mode;
    }
}

// Mode 2 keeps the aim while fire is held; mode 0 always turns towards the motion.
TEST_F(Rules, StrafingInModeTwoKeepsTheHeading) {
    struct Case {
        int mode;
        bool fire;
        bool turns;
    };
    for (Case c : {Case{2, true, false}, Case{2, false, true}, Case{0, true, true}}) {
        SetUpWorld(currentEdition, 1);
        StopWaves();
        controlMode = c.mode;
        input.held = {KEY_RIGHT};
        if (c.fire) input.held.insert(KEY_Z);
        for (int step = 0; step < 30; ++step) UpdateWorld(input);
        EXPECT_GT(playerPos.x, 0.5) << "mode " << c.mode;
        EXPECT_EQ(playerHeading.x > 0.5, c.turns) << "mode " << c.mode << " fire " << c.fire;
        if (c.fire && !c.turns) {
            EXPECT_EQ(shots[0].vel, Vector3(0, 0.5, 0));
        }
    }
}

TEST_F(Rules, OnlyModeOneMovesWhileFrozen) {
    for (int mode : {0, 1, 2}) {
        SetUpWorld(currentEdition, 1);
        StopWaves();
        controlMode = mode;
        respawnTimer = 300;
        input.held = {KEY_UP};
        for (int step = 0; step < 10; ++step) UpdateWorld(input);
        EXPECT_EQ(playerPos.y > 0, mode == 1) << "mode " << mode;
        EXPECT_NEAR(playerHeading.y, 1, 1e-12) << "mode " << mode;
    }
}

TEST_F(Rules, ModeOneTurnsWithLeftAndRightAndDrivesWithUp) {
    StopWaves();
    controlMode = 1;
    input.held = {KEY_UP, KEY_LEFT};
    for (int step = 0; step < 20; ++step) UpdateWorld(input);
    EXPECT_LT(playerHeading.x, 0);  // turned anticlockwise from (0, 1)
    EXPECT_LE(steerInput.y, static_cast<double>(0.4f));
    EXPECT_GE(steerInput.x, -static_cast<double>(0.1f));
    EXPECT_GT(playerPos.y, 0);
}

TEST_F(Rules, ModeKeysChooseTheControlMode) {
    StopWaves();
    struct Case {
        std::set<int> keys;
        int mode;
    };
    for (const Case& c : {Case{{KEY_1}, 0}, Case{{KEY_2}, 1}, Case{{KEY_3}, 2}, Case{{KEY_1, KEY_2}, 1}}) {
        input.held = c.keys;
        UpdateWorld(input);
        EXPECT_EQ(controlMode, c.mode);
    }
}

TEST_F(Rules, PlayerStaysInsideTheField) {
    StopWaves();
    input.held = {KEY_RIGHT, KEY_DOWN};
    for (int step = 0; step < 1000; ++step) UpdateWorld(input);
    EXPECT_EQ(playerPos.x, 21);
    EXPECT_EQ(playerPos.y, -15.5);
}

TEST_F(Rules, HostileContactKillsThePlayer) {
    StopWaves();
    playerPos = {5, 5, 0};
    PlaceEntity(7, Wanderer, {5.5, 5.5, 0}, 1);
    entities[7].vel = {0, 0, 0};
    UpdateWorld(input);
    EXPECT_EQ(lives, 1);
    EXPECT_EQ(respawnTimer, 300);
    EXPECT_EQ(playerPos, Vector3());
    EXPECT_EQ(entities[7].life, 0);
    EXPECT_EQ(ActiveShockwaves(), 2);
    EXPECT_EQ(shockwaves[0].pos, Vector3(5, 5, 0));
    EXPECT_EQ(LiveSparks(), 396);
    EXPECT_EQ(Sounds(), (std::vector<SoundCall>{{SOUND_DIE, 42, 2}, {SOUND_EXPLODE, 50, 0}}));
    EXPECT_EQ(score, 0);
}

TEST_F(Rules, OneDeathPerStepEvenWithSeveralEnemiesTouching) {
    StopWaves();
    PlaceEntity(0, Wanderer, {0.2, 0, 0}, 1);
    PlaceEntity(1, Gunner, {-0.2, 0, 0}, 10);
    UpdateWorld(input);
    EXPECT_EQ(lives, 1);
    EXPECT_EQ(entities[0].life, 0);
    EXPECT_GT(entities[1].life, 0);
}

// respawnTimer counts down before the entities move, so the value a test sets is
// one above what the contact rules see.
TEST_F(Rules, ProtectionThresholds) {
    struct Case {
        int timer;
        int32_t type;
        bool dies;
        bool collects;
    };
    for (Case c : {Case{1, Wanderer, true, false}, Case{2, Wanderer, false, false},
                   Case{150, Dropping, false, true}, Case{151, Dropping, false, false}}) {
        SetUpWorld(currentEdition, 1);
        StopWaves();
        respawnTimer = c.timer;
        PlaceEntity(3, c.type, {1, 0, 0}, c.type == Dropping ? 100 : 1);
        UpdateWorld(input);
        EXPECT_EQ(lives == 1, c.dies) << "timer " << c.timer;
        EXPECT_EQ(score == 75, c.collects) << "timer " << c.timer;
    }
}

TEST_F(Rules, FreezeLastsWhileTheTimerIsAbove250) {
    for (int timer : {251, 250}) {
        SetUpWorld(currentEdition, 1);
        StopWaves();
        respawnTimer = timer;
        playerHeading = {1, 0, 0};
        input.held = {KEY_RIGHT};
        UpdateWorld(input);
        bool frozen = timer > 250;
        EXPECT_EQ(playerVel.x > 0, !frozen) << "timer " << timer;
        if (frozen) {
            EXPECT_EQ(playerHeading, Vector3(0, 1, 0));
        }
    }
}

TEST_F(Rules, GameOverRestartsNoSoonerThan76StepsAfterTheLastDeath) {
    StopWaves();
    lives = 0;
    PlaceEntity(0, Wanderer, {0, 0, 0}, 1);
    UpdateWorld(input);
    ASSERT_EQ(lives, -1);
    ASSERT_EQ(frameCounter, 0);
    input.held = {KEY_Z, KEY_UP};
    for (int step = 1; step <= 75; ++step) {
        Sounds().clear();
        UpdateWorld(input);
        ASSERT_EQ(lives, -1) << "step " << step;
        ASSERT_EQ(respawnTimer, 299);
        ASSERT_EQ(playerPos, Vector3());  // frozen
        ASSERT_TRUE(Sounds().empty()) << "no firing during game over";
    }
    UpdateWorld(input);
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(frameCounter, 0);
    EXPECT_EQ(waveTimer, 50);  // the new game's first wave came in the same step
    EXPECT_EQ(LiveEntities(), 1);
    EXPECT_EQ(ActiveShockwaves(), 0);
}

TEST_F(Rules, ShotLeavingTheFieldStillHitsAndDragsTheGrid) {
    StopWaves();
    shots[0] = {1, {22.8, 0, 0}, {0.5, 0, 0}};
    PlaceEntity(0, Hunter, {22.3, 0, 0}, 10);
    entities[0].vel = {0, 0, 0};
    UpdateWorld(input);
    EXPECT_EQ(shots[0].active, 0);
    EXPECT_EQ(entities[0].life, 9);
    EXPECT_EQ(entities[0].flash, 3);
    EXPECT_EQ(gridForceCount, 1);
    EXPECT_EQ(gridForces[0].pos, shots[0].pos + shots[0].vel * 4);  // four steps ahead
    EXPECT_EQ(gridForces[0].vel, shots[0].vel);
}

TEST_F(Rules, DestroyingAnEntity) {
    struct Case {
        int32_t type;
        int32_t life;
        int score;
        int note;
        int32_t startAge;
        int sparks;
        int32_t afterType;
        int32_t afterLife;
    };
    const Case cases[] = {
        {Wanderer, 1, 140, 40, 50, 100, Dropping, 200},
        {Hunter, 1, 380, 30, 1, 198, Dropping, 200},
        {Gunner, 1, 380, 30, 1, 198, Dropping, 200},
        {Orbiter, 1, 60, 50, 80, 40, Orbiter, 0},
    };
    for (const Case& c : cases) {
        SetUpWorld(currentEdition, 1);
        StopWaves();
        Sounds().clear();
        shots[0] = {1, {10, 0, 0}, {0.5, 0, 0}};
        PlaceEntity(4, c.type, {9.5, 0, 0}, c.life);
        entities[4].vel = {0.01, 0, 0};
        if (c.type == Orbiter) PlaceEntity(0, Hunter, {7.5, 0, 0}, 10);
        UpdateWorld(input);
        const Entity& e = entities[4];
        EXPECT_EQ(e.type, c.afterType) << c.type;
        EXPECT_EQ(e.life, c.afterLife) << c.type;
        EXPECT_EQ(score, c.score) << c.type;
        EXPECT_EQ(Sounds(), (std::vector<SoundCall>{{SOUND_EXPLODE, c.note, 0}})) << c.type;
        EXPECT_EQ(shockwaves[0].startAge, c.startAge) << c.type;
        EXPECT_EQ(LiveSparks(), c.sparks) << c.type;
        EXPECT_EQ(shots[0].active, 0);
    }
}

TEST_F(Rules, OneShotStrikesEveryOverlappingEntity) {
    StopWaves();
    shots[0] = {1, {10, 0, 0}, {0.5, 0, 0}};
    PlaceEntity(2, Gunner, {9.2, 0, 0}, 10);
    PlaceEntity(5, Gunner, {8.8, 0, 0}, 10);
    UpdateWorld(input);
    EXPECT_EQ(entities[2].life, 9);
    EXPECT_EQ(entities[5].life, 9);
}

TEST_F(Rules, HitFlashShowsWhiteForThreeSteps) {
    StopWaves();
    PlaceEntity(0, Hunter, {-10, 0, 0}, 10);
    entities[0].flash = 3;
    UpdateWorld(input);
    EXPECT_EQ(entities[0].flash, 2);
    EXPECT_EQ(entities[0].colour, Vector3(1, 1, 1));
    UpdateWorld(input);
    UpdateWorld(input);
    UpdateWorld(input);
    EXPECT_EQ(entities[0].flash, 0);
    EXPECT_EQ(entities[0].colour, Vector3(0.4f, 0.6f, 0.9f));
}

}  // namespace
