// The soak's checker must notice each kind of broken world it is there for, and
// let a healthy run, a death and a restart through.
#include <gtest/gtest.h>

#include <string>

#include "assets/manifest.h"
#include "tests/soak/trace_checker.h"

namespace {
struct LineFields {
    int step = 1;
    std::string playerPos = "[0,0,0]";
    int lives = 2;
    int score = 0;
    int level = 1;
    std::string shots = "[]";
    std::string entities = "[]";
    std::string shockwaves = "[]";
    std::string sparks = "[0,\"cbf29ce484222325\"]";
    std::string sounds = "[]";
    std::string running = "true";
    std::string extra;
};

std::string Line(const LineFields& f) {
    return "{\"step\":" + std::to_string(f.step) + ",\"running\":" + f.running +
           ",\"playerPos\":" + f.playerPos +
           ",\"playerVel\":[0,0,0],\"playerHeading\":[0,1,0],\"steerInput\":[0,0,0],\"controlMode\":2,"
           "\"lives\":" +
           std::to_string(f.lives) + ",\"respawnTimer\":0,\"score\":" + std::to_string(f.score) +
           ",\"level\":" + std::to_string(f.level) +
           ",\"fireCooldown\":0,\"frameCounter\":5,\"waveTimer\":3,\"gridForceCount\":0,\"shots\":" +
           f.shots + ",\"entities\":" + f.entities + ",\"shockwaves\":" + f.shockwaves +
           ",\"sparks\":" + f.sparks + ",\"grid\":\"9f138835d50b4341\",\"sounds\":" + f.sounds +
           ",\"rand\":1" + f.extra + "}";
}

std::string Entity(int index, int type, int life) {
    return "[" + std::to_string(index) + "," + std::to_string(type) + ",13," + std::to_string(life) +
           ",0,0,0,1.5,2,0,0.1,0,0,1,0,0,1.25,0.4,0.6,0.9]";
}

struct BrokenCase {
    const char* name;
    LineFields fields;
    const char* expected;  // a word of the error
};
}  // namespace

TEST(TraceChecker, AcceptsAHealthyLine) {
    TraceChecker checker;
    LineFields f;
    f.shots = "[[0,1,2,0,0,0.5,0],[4,1,2,0,0,0.5,0]]";
    f.entities = "[" + Entity(3, 1, 10) + "," + Entity(7, 100, 200) + "]";
    f.shockwaves = "[[0,90,100,1,2,0]]";
    f.sounds = "[[0,37,1]]";
    EXPECT_TRUE(checker.Line(Line(f))) << checker.Error();
    EXPECT_EQ(checker.Stats().shotSounds, 1u);
    EXPECT_EQ(checker.Stats().maxEntities, 2u);
}

TEST(TraceChecker, RefusesEachBrokenInvariant) {
    std::vector<BrokenCase> cases;
    auto add = [&](const char* name, const char* expected, auto change) {
        LineFields f;
        change(f);
        cases.push_back({name, f, expected});
    };
    add("non-finite player", "non-finite", [](LineFields& f) { f.playerPos = "[null,0,0]"; });
    add("non-finite entity colour", "non-finite",
        [](LineFields& f) { f.entities = "[[3,1,13,10,0,0,0,1.5,2,0,0.1,0,0,1,0,0,1.25,0.4,null,0.9]]"; });
    add("player outside x", "arena", [](LineFields& f) { f.playerPos = "[21.5,0,0]"; });
    add("player outside y", "arena", [](LineFields& f) { f.playerPos = "[0,-15.75,0]"; });
    add("shot index past the table", "shot index", [](LineFields& f) { f.shots = "[[100,0,0,0,0,0,0]]"; });
    add("shot listed twice", "shot index",
        [](LineFields& f) { f.shots = "[[5,0,0,0,0,0,0],[5,0,0,0,0,0,0]]"; });
    add("entity with negative life", "life",
        [](LineFields& f) { f.entities = "[" + Entity(2, 0, -1) + "]"; });
    add("entity of unknown type", "type", [](LineFields& f) { f.entities = "[" + Entity(2, 7, 5) + "]"; });
    add("shockwave of age 0", "age", [](LineFields& f) { f.shockwaves = "[[1,0,100,0,0,0]]"; });
    add("sparks past capacity", "sparks", [](LineFields& f) { f.sparks = "[2001,\"0\"]"; });
    add("sound on voice 6", "sound", [](LineFields& f) { f.sounds = "[[0,37,6]]"; });
    add("sound slot past the manifest's", "sound",
        [](LineFields& f) { f.sounds = "[[" + std::to_string(SOUND_EFFECT_COUNT) + ",37,1]]"; });
    add("lives above the start", "lives", [](LineFields& f) { f.lives = 3; });
    add("world stopped", "running", [](LineFields& f) { f.running = "false"; });
    add("grid velocities missing", "gridPos", [](LineFields& f) { f.extra = ",\"gridPos\":[[0,0,0]]"; });
    for (const BrokenCase& c : cases) {
        TraceChecker checker;
        EXPECT_FALSE(checker.Line(Line(c.fields))) << c.name;
        EXPECT_NE(checker.Error().find(c.expected), std::string::npos) << c.name << ": " << checker.Error();
    }
}

TEST(TraceChecker, ScoreFallsOnlyOnRestart) {
    TraceChecker checker;
    LineFields f;
    f.score = 500;
    f.lives = -1;
    ASSERT_TRUE(checker.Line(Line(f))) << checker.Error();
    f.step = 2;
    f.score = 0;
    f.lives = 2;  // NewGame after game over
    EXPECT_TRUE(checker.Line(Line(f))) << checker.Error();
    EXPECT_EQ(checker.Stats().restarts, 1u);

    f.step = 3;
    f.score = 400;
    ASSERT_TRUE(checker.Line(Line(f)));
    f.step = 4;
    f.score = 300;  // still playing: a fall is a fault
    EXPECT_FALSE(checker.Line(Line(f)));
    EXPECT_NE(checker.Error().find("score fell"), std::string::npos) << checker.Error();
}

TEST(TraceChecker, LivesComeBackOnlyOnRestart) {
    TraceChecker checker;
    LineFields f;
    f.lives = 1;
    ASSERT_TRUE(checker.Line(Line(f)));
    f.step = 2;
    f.lives = 0;
    ASSERT_TRUE(checker.Line(Line(f)));
    EXPECT_EQ(checker.Stats().deaths, 1u);
    f.step = 3;
    f.lives = 1;
    EXPECT_FALSE(checker.Line(Line(f)));
}

TEST(TraceChecker, StepsMustFollowEachOther) {
    TraceChecker every(1);
    LineFields f;
    ASSERT_TRUE(every.Line(Line(f)));
    f.step = 3;
    EXPECT_FALSE(every.Line(Line(f)));

    TraceChecker sampled(100);
    f.step = 100;
    ASSERT_TRUE(sampled.Line(Line(f)));
    f.step = 200;
    EXPECT_TRUE(sampled.Line(Line(f))) << sampled.Error();
}

TEST(TraceChecker, RefusesATruncatedLine) {
    TraceChecker checker;
    std::string line = Line(LineFields());
    EXPECT_FALSE(checker.Line(line.substr(0, line.size() / 2)));
    EXPECT_NE(checker.Error().find("JSON"), std::string::npos);
}
