// Recordings: the writer's run-length lines and flushes, the reader's refusals,
// and vortane-sim --replay ending on the recorded step, score and generator.
#include "game/recording.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/random.h"
#include "game/update.h"
#include "game/world.h"
#include "render/current_edition.h"
#include "tests/sim/sim_run.h"

namespace fs = std::filesystem;

namespace {

const std::string BAD_DIR = VORTANE_SOURCE_DIR "/tests/bad";

// Controls held exactly as a table says, one entry a step.
class TableControls : public Controls {
public:
    explicit TableControls(std::vector<uint32_t> steps) : steps_(std::move(steps)) {}
    void Poll() override { held_ = next_ < steps_.size() ? steps_[next_++] : 0; }
    bool KeyDown(int slot) const override {
        for (int i = 0; i < INPUT_CONTROL_COUNT; ++i) {
            if (INPUT_CONTROLS[i].slot == slot) return (held_ >> i) & 1;
        }
        return false;
    }

private:
    std::vector<uint32_t> steps_;
    size_t next_ = 0;
    uint32_t held_ = 0;
};

constexpr uint32_t ESC = 1u << 0, KEY1 = 1u << 1, FIRE = 1u << 4, LEFT = 1u << 6, RIGHT = 1u << 7;

int64_t fakeNow = 0;
int64_t FakeClock() { return fakeNow; }

TEST(RecordingWriter, WritesHeaderRunsAndEndLine) {
    RecordingWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Open("runs.vrec", "classic", 4000000000u, error)) << error;
    const uint32_t steps[] = {0, 0, FIRE | RIGHT, FIRE | RIGHT, FIRE | RIGHT, KEY1, ESC};
    for (uint32_t held : steps) writer.AddStep(held, 0);
    EXPECT_EQ(writer.Steps(), 7u);
    ASSERT_TRUE(writer.Finish(-20, 12345));
    EXPECT_EQ(ReadFile("runs.vrec"),
              "# vortane recording\n# edition classic\n# seed 4000000000\n"
              "2\n3 FIRE RIGHT\n1 KEY1\n1 ESC\n# end steps 7 score -20 rand 12345\n");

    Recording back;
    ASSERT_TRUE(LoadRecording("runs.vrec", back, error)) << error;
    EXPECT_EQ(back.edition, "classic");
    EXPECT_EQ(back.seed, 4000000000u);
    EXPECT_EQ(back.steps, 7u);
    EXPECT_EQ(back.score, -20);
    EXPECT_EQ(back.rand, 12345u);
    ScriptedControls replay(back.script);
    for (uint32_t held : steps) {
        replay.Poll();
        EXPECT_EQ(HeldControls(replay), held);
    }
}

TEST(RecordingWriter, PutsOutWholeLinesEverySecond) {
    RecordingWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Open("flushed.vrec", "current", 7, error)) << error;
    EXPECT_EQ(ReadFile("flushed.vrec"), "# vortane recording\n# edition current\n# seed 7\n")
        << "the header is out at once";
    const int64_t frame = 16666666;
    fakeNow = 1000;
    for (int i = 0; i < 61; ++i, fakeNow += frame) writer.AddStep(FIRE, fakeNow);  // 0 .. 0.99999996 s
    EXPECT_EQ(ReadFile("flushed.vrec"), "# vortane recording\n# edition current\n# seed 7\n")
        << "nothing before a second has passed";
    writer.AddStep(FIRE, fakeNow);
    std::string afterSecond = ReadFile("flushed.vrec");
    EXPECT_EQ(afterSecond, "# vortane recording\n# edition current\n# seed 7\n62 FIRE\n")
        << "the run so far is written out once a second has passed";

    // What a kill leaves: a cut-short recording the reader refuses, which still
    // plays as an input script up to its last line.
    Recording recording;
    EXPECT_FALSE(LoadRecording("flushed.vrec", recording, error));
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
    InputScript script;
    ASSERT_TRUE(LoadInputScript("flushed.vrec", script, error)) << error;
    ASSERT_EQ(script.lines.size(), 1u);
    EXPECT_EQ(script.lines[0].count, 62);

    fakeNow += frame;
    for (int i = 0; i < 3; ++i, fakeNow += frame) writer.AddStep(FIRE, fakeNow);
    ASSERT_TRUE(writer.Finish(0, 1));
    ASSERT_TRUE(LoadRecording("flushed.vrec", recording, error)) << error;
    EXPECT_EQ(recording.steps, 65u) << "a run split by a flush continues on the next line";
}

TEST(RecordingWriter, UnwritablePathIsAnError) {
    RecordingWriter writer;
    std::string error;
    EXPECT_FALSE(writer.Open("no_such_folder/x.vrec", "current", 1, error));
    EXPECT_NE(error.find("no_such_folder/x.vrec"), std::string::npos) << error;
    EXPECT_FALSE(writer.IsOpen());
}

TEST(RecordingWriter, DashIsStandardOutput) {
    testing::internal::CaptureStdout();
    {
        RecordingWriter writer;
        std::string error;
        ASSERT_TRUE(writer.Open("-", "current", 3, error)) << error;
        writer.AddStep(FIRE, 0);
        ASSERT_TRUE(writer.Finish(0, 9));
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "# vortane recording\n# edition current\n# seed 3\n1 FIRE\n# end steps 1 score 0 rand 9\n");
    EXPECT_FALSE(std::filesystem::exists("-")) << "no file named -";
}

TEST(RecordingReader, RefusesEveryHostileFileSayingWhy) {
    struct Case {
        const char* file;
        const char* says;
    };
    const Case cases[] = {
        {"recording_empty_file.vrec", "not a vortane recording"},
        {"recording_wrong_first_line.vrec", "not a vortane recording"},
        {"recording_crlf_line_ends.vrec", "not a vortane recording"},
        {"recording_unknown_edition.vrec", "line 2: unknown edition \"future\""},
        {"recording_header_out_of_order.vrec", "line 2:"},
        {"recording_seed_too_large.vrec", "line 3: expected \"# seed N\""},
        {"recording_seed_negative.vrec", "line 3:"},
        {"recording_cut_short_no_end_line.vrec", "cut short: no end line after step 3"},
        {"recording_end_steps_more_than_lines.vrec", "says 6 steps, the lines hold 5"},
        {"recording_end_steps_fewer_than_lines.vrec", "says 4 steps, the lines hold 5"},
        {"recording_lines_after_end.vrec", "line 6: text after the end line"},
        {"recording_rand_too_large.vrec", "bad rand"},
        {"recording_score_too_large.vrec", "bad score"},
        {"recording_end_line_missing_score.vrec", "bad end line"},
        {"recording_lowercase_control.vrec", "unknown control \"fire\""},
        {"recording_zero_count.vrec", "bad count \"0\""},
        {"recording_comment_in_body.vrec", "line 5: bad count \"#\""},
        {"recording_line_longer_than_1024.vrec", "line 4: line longer than 1024"},
        {"recording_steps_beyond_limit.vrec", "more than"},
    };
    size_t covered = 0;
    for (const Case& c : cases) {
        Recording recording;
        std::string error;
        EXPECT_FALSE(LoadRecording(BAD_DIR + "/" + c.file, recording, error)) << c.file;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.file << ": " << error;
        covered += 1;
    }
    size_t present = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(BAD_DIR)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("recording_", 0) == 0) present += 1;
    }
    EXPECT_EQ(present, covered) << "every hostile recording under tests/bad has its case here";
}

TEST(RecordingReader, FolderAndMissingFileAreErrors) {
    Recording recording;
    std::string error;
    EXPECT_FALSE(LoadRecording(BAD_DIR, recording, error));
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    EXPECT_FALSE(LoadRecording("no_such.vrec", recording, error));
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
}

// A session recorded in this process as the game records it, through the
// recording controls, then replayed by the simulator.
TEST(SimReplay, EndsOnTheRecordedStepScoreAndRand) {
    std::vector<uint32_t> table;
    for (int i = 0; i < 40; ++i) table.push_back(0);
    for (int i = 0; i < 300; ++i) table.push_back(FIRE | (i % 90 < 45 ? RIGHT : LEFT));
    for (int i = 0; i < 30; ++i) table.push_back(KEY1 | FIRE);
    for (int i = 0; i < 200; ++i) table.push_back(FIRE | RIGHT);
    table.push_back(ESC);
    TableControls devices(table);
    RecordingWriter writer;
    std::string error;
    const uint32_t seed = 1765123456;
    ASSERT_TRUE(writer.Open("session.vrec", "current", seed, error)) << error;
    SetUpWorld(currentEdition, seed);
    RecordingControls recorded(devices, writer, FakeClock);
    uint64_t steps = 0;
    bool running = true;
    while (running) {
        running = UpdateWorld(recorded);
        steps += 1;
    }
    ASSERT_EQ(steps, table.size());
    ASSERT_GT(score, 0) << "the session should have scored for the check to mean something";
    ASSERT_TRUE(writer.Finish(score, gameRandom.state));

    SimResult run = RunSim("--replay session.vrec --every 100000");
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Field(lines[0], "step"), std::to_string(steps));
    EXPECT_EQ(Field(lines[0], "running"), "false");
    EXPECT_EQ(Field(lines[0], "score"), std::to_string(score));
    EXPECT_EQ(Field(lines[0], "rand"), std::to_string(gameRandom.state));
}

TEST(SimReplay, RefusesBadRecordingsAndRunOptionsBeforeRunning) {
    const std::string cases[] = {
        "--replay '" + BAD_DIR + "/recording_cut_short_no_end_line.vrec'",
        "--replay '" + BAD_DIR + "/recording_unknown_edition.vrec'",
        "--replay '" + BAD_DIR + "/recording_end_steps_more_than_lines.vrec'",
        "--replay no_such.vrec",
        "--replay '" VORTANE_SOURCE_DIR "/tests/fuzz/corpus/recording/good_current.vrec' --seed 3",
        "--replay '" VORTANE_SOURCE_DIR "/tests/fuzz/corpus/recording/good_current.vrec' --steps 3",
    };
    for (const std::string& options : cases) {
        SimResult run = RunSim(options);
        EXPECT_EQ(run.status, 2) << options;
        EXPECT_TRUE(run.out.empty()) << options << ": nothing half-played";
        EXPECT_NE(run.err.find("vortane-sim: "), std::string::npos) << options << ": " << run.err;
    }
}

TEST(SimReplay, TakesTheEarlierEditionFromTheRecording) {
    SimResult run = RunSim("--replay '" VORTANE_SOURCE_DIR "/tests/fuzz/corpus/recording/good_classic.vrec'");
    ASSERT_EQ(run.status, 0) << run.err;
    SimResult direct = RunSim("--edition classic --seed 0 --steps 6 --input '" VORTANE_SOURCE_DIR
                              "/tests/fuzz/corpus/recording/good_classic.vrec'");
    ASSERT_EQ(direct.status, 0) << direct.err;
    EXPECT_EQ(run.out, direct.out);
    EXPECT_EQ(Lines(run.out).size(), 6u);
}

}  // namespace
