// Recordings: the writer's run-length lines and flushes, the reader's refusals,
// and vortane-sim --replay ending on the recorded step, score and generator.
#include "game/recording.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "current/edition.h"
#include "current/update.h"
#include "current/world.h"
#include "game/random.h"
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

// Steps of alternating controls, one a millisecond, so every step is a line of
// its own and a second's flush puts out about 7.5 KB.
void AddAlternatingSteps(RecordingWriter& writer, int count) {
    for (int i = 0; i < count; ++i, fakeNow += 1000000) writer.AddStep(i % 2 ? FIRE : RIGHT, fakeNow);
}

TEST(RecordingWriter, AFullDiskIsSaidAtOnceAndLeavesOnlyWholeLines) {
    RecordingWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Open("full.vrec", "current", 5, error)) << error;
    // The file may grow to 4000 bytes, as if the disk filled there; the signal a
    // process gets for passing the limit is ignored, so the write itself fails.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit limited = saved;
    limited.rlim_cur = 4000;
    void (*savedSignal)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    fakeNow = 0;
    testing::internal::CaptureStderr();
    AddAlternatingSteps(writer, 1000);
    std::string beforeFlush = testing::internal::GetCapturedStderr();
    testing::internal::CaptureStderr();
    AddAlternatingSteps(writer, 1);  // a second has passed: the flush meets the limit
    std::string atFailure = testing::internal::GetCapturedStderr();
    testing::internal::CaptureStderr();
    AddAlternatingSteps(writer, 2000);
    bool finished = writer.Finish(0, 1);
    std::string afterwards = testing::internal::GetCapturedStderr();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    EXPECT_EQ(beforeFlush, "");
    EXPECT_NE(
        atFailure.find("cannot write the recording full.vrec (File too large); playing on without recording"),
        std::string::npos)
        << "said when it happened, with the reason: " << atFailure;
    EXPECT_EQ(std::count(atFailure.begin(), atFailure.end(), '\n'), 1) << atFailure;
    EXPECT_EQ(afterwards, "") << "said once";
    EXPECT_FALSE(finished) << "the recording failed";

    std::string text = ReadFile("full.vrec");
    ASSERT_FALSE(text.empty());
    EXPECT_LE(text.size(), 4000u);
    EXPECT_EQ(text.back(), '\n') << "no half line at the end";
    InputScript script;
    ASSERT_TRUE(LoadInputScript("full.vrec", script, error)) << error;
    EXPECT_GT(script.lines.size(), 400u) << "every whole line written stays";
    for (size_t i = 0; i < script.lines.size(); ++i) ASSERT_EQ(script.lines[i].count, 1) << i;
}

TEST(RecordingWriter, AReaderThatGoesAwayIsAFailedWriteNotTheEnd) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    void (*savedSignal)(int) = std::signal(SIGPIPE, SIG_IGN);  // as the games do while recording
    RecordingWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Open("/proc/self/fd/" + std::to_string(ends[1]), "current", 5, error)) << error;
    close(ends[1]);
    char header[64] = {};
    ASSERT_GT(read(ends[0], header, sizeof header - 1), 0);
    EXPECT_EQ(std::string(header).rfind("# vortane recording\n", 0), 0u);
    close(ends[0]);  // vortane --record - | head -c 60: head has what it wanted
    fakeNow = 0;
    testing::internal::CaptureStderr();
    AddAlternatingSteps(writer, 1001);
    std::string atFailure = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(writer.Finish(0, 1));
    std::signal(SIGPIPE, savedSignal);
    EXPECT_NE(atFailure.find("(Broken pipe); playing on without recording"), std::string::npos) << atFailure;
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
        // Shown quoted: neither the terminal's escapes nor the NUL reach stderr as they are.
        {"recording_escape_sequences_and_nul_in_control.vrec",
         "line 5: unknown control \"\\x1b]0;owned\\x07\\x1b[2J\\x1b[31mFIRE\\x00RED\""},
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

TEST(RecordingReader, CarriageReturnLineEndsReadAsTheSameRecording) {
    const std::string lines[] = {
        "# vortane recording",          "# edition classic", "# seed 7", "2", "3 FIRE RIGHT", "1 ESC",
        "# end steps 6 score 40 rand 9"};
    std::string unix, dos;
    for (const std::string& line : lines) {
        unix += line + "\n";
        dos += line + "\r\n";
    }
    Recording fromUnix, fromDos;
    std::string error;
    std::istringstream unixIn(unix), dosIn(dos);
    ASSERT_TRUE(ParseRecording(unixIn, "unix", fromUnix, error)) << error;
    ASSERT_TRUE(ParseRecording(dosIn, "dos", fromDos, error)) << error;
    EXPECT_EQ(fromDos.edition, fromUnix.edition);
    EXPECT_EQ(fromDos.seed, fromUnix.seed);
    EXPECT_EQ(fromDos.steps, fromUnix.steps);
    EXPECT_EQ(fromDos.score, fromUnix.score);
    EXPECT_EQ(fromDos.rand, fromUnix.rand);
    ASSERT_EQ(fromDos.script.lines.size(), fromUnix.script.lines.size());
    for (size_t i = 0; i < fromDos.script.lines.size(); ++i) {
        EXPECT_EQ(fromDos.script.lines[i].count, fromUnix.script.lines[i].count) << i;
        EXPECT_EQ(fromDos.script.lines[i].slots, fromUnix.script.lines[i].slots) << i;
    }
    // The longest line a reader accepts stays the longest with a CR after it.
    std::string longest = "1" + std::string(RECORDING_MAX_LINE - 1, ' ');
    std::istringstream longIn("# vortane recording\r\n# edition current\r\n# seed 1\r\n" + longest +
                              "\r\n# end steps 1 score 0 rand 1\r\n");
    EXPECT_TRUE(ParseRecording(longIn, "long", fromDos, error)) << error;
    std::istringstream tooLongIn("# vortane recording\n# edition current\n# seed 1\n" + longest +
                                 " \n# end steps 1 score 0 rand 1\n");
    EXPECT_FALSE(ParseRecording(tooLongIn, "too long", fromDos, error));
    EXPECT_NE(error.find("longer than"), std::string::npos) << error;
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
