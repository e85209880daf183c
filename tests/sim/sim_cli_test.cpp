#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "current/edition.h"
#include "current/update.h"
#include "current/world.h"
#include "game/input_script.h"
#include "game/random.h"
#include "tests/sim/sim_run.h"

namespace {

const std::string BAD_DIR = VORTANE_SOURCE_DIR "/tests/bad";
const std::string GOLDEN_DIR = VORTANE_SOURCE_DIR "/tests/golden/sim";

// FNV-1a over little-endian bytes, written out here independently of the tool.
struct Hash {
    uint64_t value = 14695981039346656037ull;
    void Bytes(uint64_t bits, int count) {
        for (int i = 0; i < count; ++i) {
            value ^= (bits >> (8 * i)) & 0xff;
            value *= 1099511628211ull;
        }
    }
    void Int(int32_t v) { Bytes(static_cast<uint32_t>(v), 4); }
    void Double(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, 8);
        Bytes(bits, 8);
    }
    void Vector(const Vector3& v) {
        Double(v.x);
        Double(v.y);
        Double(v.z);
    }
    std::string Quoted() const {
        char text[20];
        std::snprintf(text, sizeof text, "%016" PRIx64, value);
        return std::string("\"") + text + "\"";
    }
};

TEST(SimCli, RefusesBadOptionsAndScriptsWithStatus2) {
    const std::string cases[] = {
        "--edition future",
        "--seed abc",
        "--seed 4294967296",
        "--steps -5",
        "--every 0",
        "--steps",
        "--colour red",
        "--input no_such_script.txt",
        "--input '" + BAD_DIR + "/input_script_unknown_control.txt'",
        "--input '" + BAD_DIR + "/input_script_negative_count.txt'",
    };
    for (const std::string& options : cases) {
        SimResult run = RunSim(options + " --steps 5");
        EXPECT_EQ(run.status, 2) << options;
        EXPECT_TRUE(run.out.empty()) << options;
        EXPECT_NE(run.err.find("vortane-sim: "), std::string::npos) << options << ": " << run.err;
    }
}

TEST(SimCli, PrintsEveryKthStepAndAlwaysTheLast) {
    SimResult run = RunSim("--steps 10 --every 4");
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Field(lines[0], "step"), "4");
    EXPECT_EQ(Field(lines[1], "step"), "8");
    EXPECT_EQ(Field(lines[2], "step"), "10");
    EXPECT_EQ(Field(lines[2], "running"), "true");
}

TEST(SimCli, EscapeEndsTheRunOnAFalseLine) {
    std::ofstream("escape_script.txt") << "3 FIRE\n1 ESC FIRE\n20 FIRE\n";
    SimResult run = RunSim("--steps 100 --every 1000 --input escape_script.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Field(lines[0], "step"), "4");
    EXPECT_EQ(Field(lines[0], "running"), "false");
    EXPECT_EQ(Field(lines[0], "frameCounter"), "3");
}

TEST(SimCli, DefaultSeedIsOneAndRunsRepeat) {
    SimResult first = RunSim("--steps 120 --every 30");
    SimResult second = RunSim("--seed 1 --steps 120 --every 30");
    SimResult other = RunSim("--seed 2 --steps 120 --every 30");
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.out, second.out);
    EXPECT_NE(first.out, other.out);
}

TEST(SimCli, RecordsTheSoundsOfEachStep) {
    std::ofstream("fire_script.txt") << "30 FIRE\n";
    SimResult run = RunSim("--steps 21 --input fire_script.txt");
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(Field(lines[18], "sounds"), "[]");
    EXPECT_EQ(Field(lines[19], "sounds"), "[[0,37,1]]");  // the start cooldown ends at step 20
    EXPECT_EQ(Field(lines[19], "shots"), "[[0,0,0.5,0,0,0.5,0]]");
    EXPECT_EQ(Field(lines[20], "sounds"), "[]");
}

// The trace against the same run made in this process: every double reads back
// exactly, and the hashes are those of the world's bytes.
TEST(SimCli, TraceReadsBackToTheWorldExactly) {
    const int steps = 265;  // a death at step 262 leaves 396 sparks flying
    SimResult run =
        RunSim("--seed 2024 --steps 265 --every 1000 --grid --sparks --input escape.txt", GOLDEN_DIR);
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1u);
    const std::string& line = lines[0];

    InputScript script;
    std::string error;
    ASSERT_TRUE(LoadInputScript(GOLDEN_DIR + "/escape.txt", script, error)) << error;
    ScriptedControls controls(script);
    SetUpWorld(currentEdition, 2024);
    for (int step = 0; step < steps; ++step) UpdateWorld(controls);

    EXPECT_EQ(Field(line, "rand"), std::to_string(gameRandom.state));
    EXPECT_EQ(Numbers(Field(line, "playerPos")),
              (std::vector<double>{playerPos.x, playerPos.y, playerPos.z}));
    EXPECT_EQ(Field(line, "lives"), std::to_string(lives));

    std::vector<double> grid = Numbers(Field(line, "gridPos"));
    std::vector<double> vel = Numbers(Field(line, "gridVel"));
    ASSERT_EQ(grid.size(), 3u * gridNodeCount);
    ASSERT_EQ(vel.size(), 3u * gridNodeCount);
    Hash gridHash;
    for (int n = 0; n < gridNodeCount; ++n) {
        ASSERT_EQ(grid[3 * n], gridPos[n].x) << "node " << n;
        ASSERT_EQ(grid[3 * n + 1], gridPos[n].y) << "node " << n;
        ASSERT_EQ(vel[3 * n], gridVel[n].x) << "node " << n;
        ASSERT_EQ(vel[3 * n + 1], gridVel[n].y) << "node " << n;
        gridHash.Vector(gridPos[n]);
        gridHash.Vector(gridVel[n]);
    }
    EXPECT_EQ(Field(line, "grid"), gridHash.Quoted());

    std::vector<double> listed = Numbers(Field(line, "sparkList"));
    Hash sparkHash;
    std::vector<double> expected;
    int live = 0;
    for (int i = 0; i < SPARK_CAPACITY; ++i) {
        const Spark& s = sparks[i];
        if (s.life <= 0) continue;
        live += 1;
        sparkHash.Int(i);
        sparkHash.Int(s.life);
        sparkHash.Vector(s.pos);
        sparkHash.Vector(s.vel);
        sparkHash.Vector(s.colour);
        for (double v : {static_cast<double>(i), static_cast<double>(s.life), s.pos.x, s.pos.y, s.pos.z,
                         s.vel.x, s.vel.y, s.vel.z, s.colour.x, s.colour.y, s.colour.z}) {
            expected.push_back(v);
        }
    }
    ASSERT_GT(live, 300);
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(Field(line, "sparks"), "[" + std::to_string(live) + "," + sparkHash.Quoted() + "]");
}

}  // namespace
