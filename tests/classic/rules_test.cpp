// The earlier edition's world rules: firing with the latch, waves and level-ups,
// contact distances, shots, explosions and its own grid step.
#include <cmath>
#include <set>

#include "classic/explosions.h"
#include "classic/grid.h"
#include "classic/waves.h"
#include "current/world.h"
#include "game/random.h"
#include "tests/classic/classic_fixture.h"

// Inside the edition's namespace, so its tables hide the current edition's.
namespace classic {

namespace {
int NodeIndex(int row, int column) { return row * ::gridColumns + column; }
}  // namespace

// Firing: one shot per press, and NewGame arms the latch.

TEST_F(ClassicWorld, HeldFireThroughARestartFiresNothingUntilReleased) {
    lives = -1;
    frameCounter = 75;  // 76 after this step's count: the restart is allowed
    controls.Hold({KEY_Z});
    Step();
    ASSERT_EQ(lives, 2) << "fire after 75 game-over steps restarts";
    EXPECT_EQ(fireLatch, 1);
    Step(30);
    EXPECT_EQ(ActiveShots(), 0);
    EXPECT_EQ(CountSounds(SHOT_SOUND), 0);
    controls.Release();
    Step();
    EXPECT_EQ(fireLatch, 0);
    controls.Hold({KEY_JOY_BUTTON1});
    Step();
    EXPECT_EQ(ActiveShots(), 1);
    EXPECT_EQ(CountSounds(SHOT_SOUND), 1);
}

TEST_F(ClassicWorld, RestartNeedsMoreThan75GameOverSteps) {
    lives = -1;
    frameCounter = 74;
    controls.Hold({KEY_Z});
    Step();
    EXPECT_EQ(lives, -1);
    EXPECT_EQ(respawnTimer, 299) << "held at 300 during game over, then counted down once";
    Step();
    EXPECT_EQ(lives, 2);
}

TEST_F(ClassicWorld, FireHeldFromTheStartWaitsForARelease) {
    NoWaves();
    controls.Hold({KEY_Z});
    Step(10);
    EXPECT_EQ(ActiveShots(), 0);
    controls.Release();
    Step();
    controls.Hold({KEY_Z});
    Step();
    EXPECT_EQ(ActiveShots(), 1);
}

TEST_F(ClassicWorld, EachPressGivesOneShotAndHoldingDoesNotRepeat) {
    NoWaves();
    controls.Release();
    Step();
    for (int press = 0; press < 3; ++press) {
        controls.Hold({KEY_Z});
        Step(12);
        controls.Release();
        Step();
    }
    EXPECT_EQ(ActiveShots(), 3);
    EXPECT_EQ(CountSounds(SHOT_SOUND), 3);
}

TEST_F(ClassicWorld, FullShotTablePlaysTheSoundButCreatesNothing) {
    NoWaves();
    for (Shot& s : shots) s = {1, {0, 0, 0}, {0, 0, 0}};
    controls.Release();
    Step();
    controls.Hold({KEY_Z});
    Step();
    EXPECT_EQ(CountSounds(SHOT_SOUND), 1);
    EXPECT_EQ(ActiveShots(), SHOT_CAPACITY);
}

TEST_F(ClassicWorld, ShotLeavesAlongTheHeadingTurnedInTheSameStep) {
    NoWaves();
    controls.Release();
    Step();
    controls.Hold({KEY_RIGHT, KEY_Z});
    Step();
    ASSERT_EQ(ActiveShots(), 1);
    EXPECT_GT(playerHeading.x, 0) << "the heading turned towards the motion";
    EXPECT_EQ(shots[0].vel, playerHeading * 0.5);
}

// Steering and movement.

TEST_F(ClassicWorld, EscapeEndsTheStepBeforeAnythingElse) {
    controls.Hold({KEY_ESCAPE, KEY_Z, KEY_RIGHT});
    EXPECT_FALSE(UpdateWorld(controls));
    EXPECT_EQ(frameCounter, 0);
    EXPECT_EQ(waveTimer, 0);
    EXPECT_EQ(playerPos, Vector3(0, 0, 0));
    EXPECT_TRUE(sounds().empty());
}

TEST_F(ClassicWorld, FrozenAfterADeathIgnoresSteering) {
    NoWaves();
    respawnTimer = 300;
    playerHeading = {1, 0, 0};
    controls.Hold({KEY_RIGHT, KEY_UP});
    Step(10);
    EXPECT_EQ(playerPos, Vector3(0, 0, 0));
    EXPECT_EQ(playerHeading, Vector3(0, 1, 0));
}

TEST_F(ClassicWorld, DigitKeysChangeNothing) {
    NoWaves();
    controls.Hold({KEY_RIGHT, KEY_UP});
    Step(40);
    Vector3 plainPos = playerPos, plainHeading = playerHeading;
    SetUpWorld(classic::edition, 1);
    NoWaves();
    controls.Hold({KEY_RIGHT, KEY_UP, KEY_1, KEY_2, KEY_3});
    Step(40);
    EXPECT_EQ(playerPos, plainPos);
    EXPECT_EQ(playerHeading, plainHeading);
    EXPECT_GT(playerPos.x, 0);
}

TEST_F(ClassicWorld, PlayerStaysInsideTheField) {
    NoWaves();
    controls.Hold({KEY_LEFT, KEY_DOWN});
    Step(600);
    EXPECT_EQ(playerPos.x, -21);
    EXPECT_EQ(playerPos.y, -15.5);
}

// Waves and levels.

TEST(ClassicWaves, LevelLastsLevelTimesThreeHalvesPlusFiveWaves) {
    const struct { int level, waves; } cases[] = {{1, 6}, {2, 8}, {3, 9}, {4, 11}, {10, 20}};
    for (const auto& c : cases) EXPECT_EQ(WavesPerLevel(c.level), c.waves) << "level " << c.level;
}

TEST_F(ClassicWorld, FirstWaveComesOnTheFirstStepOnTheRadius50Circle) {
    Step();
    EXPECT_EQ(waveCount, 1);
    int spawned = 0;
    for (const Entity& e : entities) {
        if (e.life == 0) continue;
        ++spawned;
        EXPECT_EQ(e.type, Enemy);
        EXPECT_EQ(e.texture, SLOT_ENEMY);
        EXPECT_NEAR((e.pos - e.vel).Length(), 50, 1e-9) << "spawned on the circle, then moved once";
        EXPECT_NEAR(e.vel.Length(), 0.11, 1e-8) << "speed (level + 10) × 0.01";
        EXPECT_LT((e.pos + e.vel * 454).Length(), 16) << "aimed near the centre";
    }
    EXPECT_EQ(spawned, 1) << "a level-1 wave is a single enemy";
}

TEST_F(ClassicWorld, LevelRisesAfterSixWavesAtLevelOne) {
    for (int wave = 1; wave <= 6; ++wave) {
        waveTimer = 1;
        Step();
        if (wave < 6) {
            EXPECT_EQ(level, 1) << "after wave " << wave;
            EXPECT_EQ(waveCount, wave);
        }
    }
    EXPECT_EQ(level, 2);
    EXPECT_EQ(waveCount, 0);
    EXPECT_EQ(frameCounter, 0);
    EXPECT_EQ(CountSounds(LEVELUP_SOUND), 1);
}

TEST_F(ClassicWorld, LevelDoesNotRiseDuringGameOver) {
    lives = -1;
    for (int wave = 1; wave <= 8; ++wave) {
        waveTimer = 1;
        Step();
    }
    EXPECT_EQ(level, 1);
    EXPECT_EQ(waveCount, 8);
    EXPECT_EQ(CountSounds(LEVELUP_SOUND), 0);
}

// Over many seeds: the gap after a wave lies in its level's range or is cut to
// zero about once in (21 − level) waves; a wave has between level − level ÷ 2 − 1
// (at least 1) and level enemies.
TEST_F(ClassicWorld, WaveGapAndSizeFollowTheLevel) {
    for (int lvl : {1, 4, 9}) {
        int top = (21 - lvl) * 10, spread = 5 * lvl + 51, shortcuts = 0;
        std::set<int> gaps, sizes;
        const int runs = 400;
        for (int seed = 0; seed < runs; ++seed) {
            SetUpWorld(classic::edition,
                       uint32_t(seed) * 0x9E3779B9u);  // seeds far apart: the first draws differ
            level = lvl;
            Step();
            int size = 0;
            for (const Entity& e : entities) size += e.life != 0;
            sizes.insert(size);
            if (waveTimer == 0) {
                ++shortcuts;
                continue;
            }
            EXPECT_LE(waveTimer, top);
            EXPECT_GE(waveTimer, top - spread);
            gaps.insert(waveTimer);
        }
        double expectedShortcuts = double(runs) / (21 - lvl);
        EXPECT_GT(shortcuts, expectedShortcuts * 0.4) << "level " << lvl;
        EXPECT_LT(shortcuts, expectedShortcuts * 2.0) << "level " << lvl;
        EXPECT_GT(int(gaps.size()), spread / 2) << "level " << lvl;
        int smallest = std::max(1, lvl - lvl / 2 - 1);
        EXPECT_GE(*sizes.begin(), smallest) << "level " << lvl;
        EXPECT_EQ(*sizes.rbegin(), lvl) << "level " << lvl;
    }
}

// Contact with the player.

TEST_F(ClassicWorld, EnemiesKillOnlyWithinOne) {
    const struct {
        double distance;
        bool kills;
    } cases[] = {{0.5, true}, {0.99, true}, {1.01, false}, {1.4, false}};
    for (const auto& c : cases) {
        SetUpWorld(classic::edition, 1);
        NoWaves();
        sounds().clear();
        int index = PlaceEntity(Enemy, {0, c.distance, 0}, 1);
        Step();
        if (c.kills) {
            EXPECT_EQ(lives, 1) << c.distance;
            EXPECT_EQ(respawnTimer, 300) << c.distance;
            EXPECT_EQ(entities[index].life, 0) << c.distance;
            EXPECT_EQ(LiveSparks(), 500) << "two explosions";
            EXPECT_EQ(CountSounds(DIE_SOUND), 1) << c.distance;
        } else {
            EXPECT_EQ(lives, 2) << c.distance;
            EXPECT_EQ(entities[index].life, 1) << c.distance;
        }
    }
}

TEST_F(ClassicWorld, DroppingsAreCollectedWithinOneAndAHalf) {
    const struct {
        double distance;
        bool collected;
    } cases[] = {{1.0, true}, {1.49, true}, {1.51, false}};
    for (const auto& c : cases) {
        SetUpWorld(classic::edition, 1);
        NoWaves();
        int index = PlaceEntity(Dropping, {c.distance, 0, 0}, 200);
        Step();
        EXPECT_EQ(score, c.collected ? 75 : 0) << c.distance;
        EXPECT_EQ(entities[index].life, c.collected ? 0 : 199) << c.distance;
        EXPECT_EQ(lives, 2) << "droppings are harmless";
    }
}

TEST_F(ClassicWorld, EntitiesLeaveBeyondRadius60) {
    NoWaves();
    int leaving = PlaceEntity(Enemy, {59.95, 0, 0}, 1);
    int staying = PlaceEntity(Enemy, {0, -59.8, 0}, 1);
    entities[leaving].vel = {0.11, 0, 0};
    entities[staying].vel = {0, -0.11, 0};
    Step();
    EXPECT_EQ(entities[leaving].life, 0);
    EXPECT_EQ(entities[staying].life, 1);
}

// Shots.

TEST_F(ClassicWorld, ShotDestroysAtOnceAndScores140Plus24PerLevel) {
    for (int lvl : {1, 2, 5, 12}) {
        SetUpWorld(classic::edition, 1);
        NoWaves();
        level = lvl;
        sounds().clear();
        controls.Release();
        Step();
        // The shot is at (0, 0.5) after its first move; the enemy 1.0 beyond it.
        int index = PlaceEntity(Enemy, {0, 1.5, 0}, 1);
        controls.Hold({KEY_Z});
        Step();
        EXPECT_EQ(score, 140 + 24 * lvl) << "level " << lvl;
        EXPECT_EQ(entities[index].type, Dropping);
        EXPECT_EQ(entities[index].life, 200);
        EXPECT_EQ(ActiveShots(), 0);
        EXPECT_EQ(CountSounds(KILL_SOUND), 1);
        EXPECT_EQ(LiveSparks(), 250);
    }
}

TEST_F(ClassicWorld, ShotHitsWithinOneAndAHalfOfItsOwnPosition) {
    const struct {
        Vector3 enemy;
        bool hit;
    } cases[] = {
        {{0, 0.5 + 1.49, 0}, true},
        {{0, 0.5 + 1.51, 0}, false},
        {{1.3, -0.5, 0}, false},  // near where the shot was, not where it is
    };
    for (const auto& c : cases) {
        SetUpWorld(classic::edition, 1);
        NoWaves();
        controls.Release();
        Step();
        int index = PlaceEntity(Enemy, c.enemy, 1);
        controls.Hold({KEY_Z});
        Step();
        EXPECT_EQ(entities[index].type, c.hit ? Dropping : Enemy) << c.enemy.x << ", " << c.enemy.y;
        EXPECT_EQ(lives, 2);
    }
}

TEST_F(ClassicWorld, OneShotDestroysEveryEnemyItTouches) {
    NoWaves();
    controls.Release();
    Step();
    int first = PlaceEntity(Enemy, {0.3, 1.5, 0}, 1);
    int second = PlaceEntity(Enemy, {-0.3, 1.5, 0}, 1);
    controls.Hold({KEY_Z});
    Step();
    EXPECT_EQ(entities[first].type, Dropping);
    EXPECT_EQ(entities[second].type, Dropping);
    EXPECT_EQ(score, 2 * 164);
}

TEST_F(ClassicWorld, ShotsFlyOnUntilRadius60) {
    NoWaves();
    controls.Release();
    Step();
    controls.Hold({KEY_Z});
    Step();
    controls.Release();
    Step(100);  // at y = 50.5, far past the screen
    EXPECT_EQ(ActiveShots(), 1);
    EXPECT_EQ(gridForceCount, 1);
    Step(20);
    EXPECT_EQ(ActiveShots(), 0);
}

// Explosions.

TEST_F(ClassicWorld, ExplodeMakes250SparksAndAShockwaveAtAgeOne) {
    Vector3 centre(3, 4, 0);
    Explode(centre);
    EXPECT_EQ(LiveSparks(), 250);
    EXPECT_EQ(shockwaves[0].age, 1);
    EXPECT_EQ(shockwaves[0].pos, centre);
    EXPECT_EQ(shockwaves[1].age, 0);
    for (int i = 0; i < 250; ++i) {
        const Spark& s = sparks[i];
        EXPECT_EQ(s.pos, centre);
        EXPECT_GE(s.life, 50);
        EXPECT_LE(s.life, 101);
        EXPECT_LE(s.vel.Length(), 0.5050001);
        EXPECT_EQ(s.colour, Vector3(1.0, 0.7f, 0.2f));
    }
}

TEST_F(ClassicWorld, SparkTableHoldsAThousand) {
    for (int i = 0; i < 5; ++i) Explode({0, 0, 0});
    EXPECT_EQ(LiveSparks(), 1000) << "five explosions of 250 sparks overfill it";
    EXPECT_EQ(shockwaves[4].age, 1) << "the fifth explosion still rings";
}

TEST_F(ClassicWorld, FullShockwaveTableStillMakesSparks) {
    for (Shockwave& w : shockwaves) w = {5, {1, 1, 0}};
    Explode({0, 0, 0});
    EXPECT_EQ(LiveSparks(), 250);
    for (const Shockwave& w : shockwaves) EXPECT_EQ(w.age, 5);
}

TEST_F(ClassicWorld, ShockwaveRingsFrom2To101AndIsFreed) {
    NoWaves();
    Explode({0, 0, 0});
    Step();
    EXPECT_EQ(shockwaves[0].age, 2);
    ASSERT_EQ(gridForceCount, 1);
    EXPECT_EQ(gridForces[0].ring, 2);
    Step(98);
    EXPECT_EQ(shockwaves[0].age, 100);
    Step();
    EXPECT_EQ(gridForces[0].ring, 101);
    EXPECT_EQ(shockwaves[0].age, 0);
    Step();
    EXPECT_EQ(gridForceCount, 0);
}

// The grid step of this edition.

TEST_F(ClassicWorld, GridStepDoesNotSmooth) {
    int centre = NodeIndex(10, 10);
    ::gridVel[centre] = {0.5, 0, 0};
    gridForceCount = 0;
    StepGrid();
    for (int n : {NodeIndex(9, 9), NodeIndex(9, 11), NodeIndex(11, 9), NodeIndex(11, 11)}) {
        EXPECT_EQ(::gridVel[n], Vector3(0, 0, 0));
        EXPECT_EQ(::gridPos[n], ::gridRestPos[n]);
    }
    EXPECT_GT(::gridPos[centre].x, ::gridRestPos[centre].x);
}

TEST_F(ClassicWorld, GridSettlesToRestWithoutForces) {
    for (int n = 0; n < ::gridNodeCount; n += 7) ::gridPos[n] = ::gridRestPos[n] + Vector3(0.8, -0.6, 0);
    for (int step = 0; step < 2000; ++step) {
        gridForceCount = 0;
        StepGrid();
    }
    double worst = 0;
    for (int n = 0; n < ::gridNodeCount; ++n)
        worst = std::max(worst, (::gridPos[n] - ::gridRestPos[n]).Length());
    EXPECT_LT(worst, 1e-9);
}

// A ring pushes outward the nodes in the band three units wide just inside its
// radius; its strength is (100 − ring) / 70, capped at 1.
TEST_F(ClassicWorld, RingPushesItsBandOutwardWithStrengthFromItsRadius) {
    const Vector3 centre(0.3, 0.2, 0);
    auto pushFor = [&](int ring, std::vector<double>& speeds) {
        SetUpWorld(classic::edition, 1);
        gridForceCount = 0;
        AddGridForce(centre, {0, 0, 0}, ring, 0, 0);
        StepGrid();
        speeds.clear();
        double r = ring * 0.5;
        for (int n = 0; n < ::gridNodeCount; ++n) {
            Vector3 out = ::gridRestPos[n] - centre;
            double d = out.Length();
            bool inBand = r - 3 < d && d < r;
            if (!inBand) {
                EXPECT_EQ(::gridVel[n], Vector3(0, 0, 0)) << "ring " << ring << " node " << n;
                continue;
            }
            EXPECT_GT(::gridVel[n].x * out.x + ::gridVel[n].y * out.y, 0) << "pushed outward";
            speeds.push_back(::gridVel[n].Length());
        }
    };
    std::vector<double> strong, weak;
    pushFor(20, strong);  // (100 − 20) / 70 > 1: capped
    pushFor(60, weak);    // 40 / 70
    ASSERT_FALSE(strong.empty());
    ASSERT_FALSE(weak.empty());
    EXPECT_NEAR(weak[0] / strong[0], 4.0 / 7, 1e-6);
    for (double s : strong) EXPECT_DOUBLE_EQ(s, strong[0]);
}

}  // namespace classic
