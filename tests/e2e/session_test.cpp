// Sessions of the real games end to end: a played session recorded with
// --record and reproduced by vortane-sim, a killed game's recording, replays in
// the window and pause, driven with XTest keys.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/e2e/game_keys.h"
#include "tests/support/display.h"
#include "tests/support/files.h"
#include "tests/support/folders.h"
#include "tests/support/programs.h"
#include "tests/support/window_tools.h"

namespace {
const std::string RUN_DIR = VORTANE_RUN_DIR;

// Generous: a paced game takes 60 steps a second; an unpaced one on an idle
// machine takes hundreds.
constexpr double MOST_STEPS_PER_SECOND = 70.0;
// Below, a loaded machine may draw slower than 60 frames a second, but a limiter
// that waits twice (30) is still caught. Under the sanitizers a frame may take
// longer than a refresh: only the upper bound of the pace means something there.
#ifdef VORTANE_E2E_SLOW
constexpr double LEAST_PACED_STEPS_PER_SECOND = 5.0;
#else
constexpr double LEAST_PACED_STEPS_PER_SECOND = 35.0;
#endif

// The text of one top-level number of a trace line.
std::string TraceField(const std::string& line, const std::string& key) {
    std::string quoted = "\"" + key + "\":";
    size_t at = line.find(quoted);
    if (at == std::string::npos) return "";
    at += quoted.size();
    size_t end = line.find_first_of(",}", at);
    return line.substr(at, end - at);
}

struct RecordingFacts {
    std::string edition, seed;
    std::string steps, score, rand;  // from the end line; empty when cut short
    long bodySteps = 0;              // the lines' total
    std::string controls;            // every control named, space separated, in order
    std::string lastLine;            // the last body line
};

RecordingFacts ReadRecordingFacts(const std::string& path) {
    RecordingFacts facts;
    for (const std::string& line : Lines(ReadFile(path))) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "#") {
            std::string key;
            words >> key;
            if (key == "edition") words >> facts.edition;
            if (key == "seed") words >> facts.seed;
            if (key == "end") {
                std::string name;
                words >> name >> facts.steps >> name >> facts.score >> name >> facts.rand;
            }
            continue;
        }
        facts.bodySteps += std::stol(first);
        for (std::string control; words >> control;) facts.controls += control + " ";
        facts.lastLine = line;
    }
    return facts;
}

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x_.Ok()) << "Xvfb did not start";
        folder_ = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override {
        if (game_.pid > 0) StopChild(game_);
    }

    void Start(const std::vector<std::string>& argv) {
        game_ = StartChild(argv, folder_, {}, folder_ + "/program.out", folder_ + "/program.err");
        started_ = std::chrono::steady_clock::now();
    }
    std::string Stderr() const { return ReadFile(folder_ + "/program.err"); }
    double SecondsSinceStart() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    }
    // The window, focused, after start-up has had time to draw.
    std::string Window() {
        std::string window = FocusedGameWindow("vortane");
        if (!window.empty()) Pause(700);
        return window;
    }
    void Keys(const std::vector<std::string>& words) {
        EXPECT_TRUE(SendKeys(words)) << words[0] << " " << words[1];
    }
    int QuitWithEscape() {
        int status = HoldEscapeUntilExit(game_);
        game_.pid = -1;
        return status;
    }

    // Plays a session: fire held while turning right, mode key 1, Escape. Then
    // vortane-sim replays the recording and must end where the game ended.
    void PlayRecordAndReproduce(const std::string& program, const std::vector<std::string>& extra,
                                const std::string& edition) {
        std::string recording = folder_ + "/session.vrec";
        std::vector<std::string> argv = {RUN_DIR + "/" + program, "--record", recording};
        argv.insert(argv.end(), extra.begin(), extra.end());
        Start(argv);
        ASSERT_FALSE(Window().empty()) << Stderr();
        Keys({"keydown", "z", "keydown", "Right"});
        Pause(1200);
        Keys({"keyup", "Right", "keydown", "1"});
        Pause(300);
        Keys({"keyup", "1", "keyup", "z"});
        Pause(300);
        ASSERT_EQ(QuitWithEscape(), 0) << Stderr();
        double seconds = SecondsSinceStart();

        RecordingFacts facts = ReadRecordingFacts(recording);
        EXPECT_EQ(facts.edition, edition);
        ASSERT_FALSE(facts.steps.empty()) << "no end line:\n" << ReadFile(recording);
        EXPECT_EQ(std::to_string(facts.bodySteps), facts.steps);
        EXPECT_NE(facts.controls.find("FIRE RIGHT"), std::string::npos) << facts.controls;
        EXPECT_NE(facts.controls.find("KEY1"), std::string::npos) << facts.controls;
        EXPECT_NE(facts.lastLine.find("ESC"), std::string::npos)
            << "the last step saw Escape: " << facts.lastLine;
        EXPECT_LE(facts.bodySteps, MOST_STEPS_PER_SECOND * seconds)
            << facts.bodySteps << " steps in " << seconds << " s: the game is not paced";

        std::string trace;
        ASSERT_EQ(RunTool({RUN_DIR + "/vortane-sim", "--replay", recording, "--every", "1000000000"}, &trace),
                  0);
        std::vector<std::string> lines = Lines(trace);
        ASSERT_EQ(lines.size(), 1u) << trace;
        EXPECT_EQ(TraceField(lines[0], "step"), facts.steps);
        EXPECT_EQ(TraceField(lines[0], "running"), "false");
        EXPECT_EQ(TraceField(lines[0], "score"), facts.score);
        EXPECT_EQ(TraceField(lines[0], "rand"), facts.rand);
    }

    PrivateX x_;
    std::string folder_;
    Child game_;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace

TEST_F(Session, CurrentEditionRecordingReplaysToTheSameEnd) {
    PlayRecordAndReproduce("vortane", {}, "current");
}

TEST_F(Session, EarlierEditionRecordingReplaysToTheSameEnd) {
    PlayRecordAndReproduce("vortane-classic", {"--window"}, "classic");
}

TEST_F(Session, KilledGameLeavesARecordingThatPlaysUpToItsLastLine) {
    std::string recording = folder_ + "/killed.vrec";
    Start({RUN_DIR + "/vortane", "--record", recording});
    ASSERT_FALSE(Window().empty()) << Stderr();
    Keys({"keydown", "z"});
    // Killed once a line with fire held is out (a second of steps after the key;
    // start-up on a loaded machine may take longer than that to begin stepping).
    for (int waited = 0; waited < 20000; waited += 50) {
        if (ReadRecordingFacts(recording).controls.find("FIRE") != std::string::npos) break;
        Pause(50);
    }
    Pause(300);
    kill(game_.pid, SIGKILL);
    WaitChild(game_, EXIT_DEADLINE_MS);
    game_.pid = -1;
    Keys({"keyup", "z"});

    RecordingFacts facts = ReadRecordingFacts(recording);
    EXPECT_TRUE(facts.steps.empty()) << "a killed game writes no end line";
    ASSERT_GT(facts.bodySteps, 0) << "at most the last second is lost:\n" << ReadFile(recording);
    EXPECT_NE(facts.controls.find("FIRE"), std::string::npos);

    Child refused = StartChild({RUN_DIR + "/vortane-sim", "--replay", recording}, folder_, {},
                               folder_ + "/refused.out", folder_ + "/refused.err");
    EXPECT_EQ(WaitChild(refused, 20000), 2);
    EXPECT_NE(ReadFile(folder_ + "/refused.err").find("cut short"), std::string::npos);
    EXPECT_EQ(ReadFile(folder_ + "/refused.out"), "") << "nothing half-played";

    std::string trace;
    std::string steps = std::to_string(facts.bodySteps);
    ASSERT_EQ(RunTool({RUN_DIR + "/vortane-sim", "--seed", facts.seed, "--steps", steps, "--input", recording,
                       "--every", "1000000000"},
                      &trace),
              0);
    std::vector<std::string> lines = Lines(trace);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(TraceField(lines[0], "step"), steps);
}

TEST_F(Session, ARecordingReaderThatGoesAwayIsSaidAtOnceAndTheGamePlaysOn) {
    // head takes the header and the first second's line, then leaves: the next
    // write meets a closed pipe. The pipeline's status is the game's.
    Start({"bash", "-o", "pipefail", "-c", "'" + RUN_DIR + "/vortane' --record - | head -c 60 > head.out"});
    ASSERT_FALSE(Window().empty()) << Stderr();
    const std::string said =
        "cannot write the recording standard output (Broken pipe); playing on without recording";
    for (int waited = 0; waited < 20000 && Stderr().find(said) == std::string::npos; waited += 50) Pause(50);
    EXPECT_NE(Stderr().find(said), std::string::npos) << Stderr();
    Pause(1500);
    EXPECT_FALSE(ChildEnded(game_, nullptr)) << "the game plays on; " << Stderr();
    EXPECT_EQ(QuitWithEscape(), 1) << "a failed recording is a failed run; " << Stderr();
    EXPECT_EQ(ReadFile(folder_ + "/head.out").rfind("# vortane recording\n# edition current\n# seed ", 0),
              0u);
    std::string err = Stderr();
    size_t count = 0;
    for (size_t at = err.find("cannot write"); at != std::string::npos; at = err.find("cannot write", at + 1))
        count += 1;
    EXPECT_EQ(count, 1u) << "said once: " << err;
}

TEST_F(Session, ReplayShowsInTheWindowAndEndsWithTheRecording) {
    // A short session made by the simulator, finished with its own end.
    std::string script = folder_ + "/script.txt";
    std::ofstream(script) << "40\n80 FIRE RIGHT\n";
    std::string trace;
    ASSERT_EQ(RunTool({RUN_DIR + "/vortane-sim", "--seed", "5", "--steps", "120", "--input", script,
                       "--every", "1000"},
                      &trace),
              0);
    std::string recording = folder_ + "/short.vrec";
    std::ofstream(recording)
        << "# vortane recording\n# edition current\n# seed 5\n40\n80 FIRE RIGHT\n# end steps 120 score "
        << TraceField(trace, "score") << " rand " << TraceField(trace, "rand") << "\n";

    Start({RUN_DIR + "/vortane", "--replay", recording});
    ASSERT_FALSE(WaitForWindow("vortane").empty()) << Stderr();
    EXPECT_EQ(WaitChild(game_, 20000), 0) << "the program ends with the recording; " << Stderr();
    game_.pid = -1;
}

TEST_F(Session, RecordingsThatCannotBeShownAreRefusedBeforeTheWindow) {
    std::string current = folder_ + "/current.vrec";
    std::ofstream(current)
        << "# vortane recording\n# edition current\n# seed 5\n3\n# end steps 3 score 0 rand 1\n";
    struct Case {
        std::string program, file, says;
    };
    const Case cases[] = {
        {"vortane-classic", current, "is of the current edition"},
        {"vortane", VORTANE_SOURCE_DIR "/tests/bad/recording_cut_short_no_end_line.vrec", "cut short"},
        {"vortane", VORTANE_SOURCE_DIR "/tests/bad/recording_unknown_edition.vrec", "unknown edition"},
        {"vortane", folder_ + "/missing.vrec", "cannot open"},
    };
    for (const Case& c : cases) {
        Child child = StartChild({RUN_DIR + "/" + c.program, "--replay", c.file}, folder_, {},
                                 folder_ + "/refused.out", folder_ + "/refused.err");
        EXPECT_EQ(WaitChild(child, 20000), 2) << c.program << " " << c.file;
        std::string err = ReadFile(folder_ + "/refused.err");
        EXPECT_NE(err.find(c.program + ": "), std::string::npos) << err;
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
    }
}

TEST_F(Session, PausedGameTakesNoStepsAndReadsNoKeys) {
    std::string recording = folder_ + "/paused.vrec";
    Start({RUN_DIR + "/vortane", "--record", recording});
    ASSERT_FALSE(Window().empty()) << Stderr();
    Keys({"key", "p"});
    Pause(300);
    Keys({"keydown", "z"});
    Pause(1000);
    Keys({"keyup", "z"});
    Pause(300);
    Keys({"key", "p"});
    Pause(300);
    ASSERT_EQ(QuitWithEscape(), 0) << Stderr();
    RecordingFacts facts = ReadRecordingFacts(recording);
    ASSERT_FALSE(facts.steps.empty());
    EXPECT_EQ(facts.controls.find("FIRE"), std::string::npos) << "fire was held only while paused";
    EXPECT_NE(facts.controls.find("ESC"), std::string::npos) << "the game ran on after the second P";
}

namespace {
struct Flush {
    double seconds;
    long steps;
};

// The steps a second between the second and the last flush seen (the first is
// whatever stood in the file when watching began).
double FlushRate(const std::vector<Flush>& flushes) {
    if (flushes.size() < 3) return 0;
    const Flush& first = flushes[1];
    const Flush& last = flushes.back();
    return static_cast<double>(last.steps - first.steps) / (last.seconds - first.seconds);
}
}  // namespace

// Xvfb grants no swap interval, so a plain game keeps to its display's 60 Hz with
// the frame limiter. Watched from outside through the recording's once-a-second
// flushes: each change of the file's step total is a flush, stamped to within a
// few milliseconds, so the rate between the first and the last is the game's.
// The bound is generous below and close above (an unpaced game takes hundreds).
TEST_F(Session, PlainGameKeepsToSixtyStepsASecond) {
    std::string recording = folder_ + "/paced.vrec";
    Start({RUN_DIR + "/vortane", "--record", recording});
    ASSERT_FALSE(Window().empty()) << Stderr();
    std::vector<Flush> flushes;
    auto watchStart = std::chrono::steady_clock::now();
    auto since = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - watchStart).count();
    };
    while (since() < 6.5) {
        long steps = ReadRecordingFacts(recording).bodySteps;
        if (flushes.empty() || steps != flushes.back().steps) flushes.push_back({since(), steps});
        Pause(3);
    }
    ASSERT_EQ(QuitWithEscape(), 0) << Stderr();
    // The first sample is whatever stood in the file when watching began.
    ASSERT_GE(flushes.size(), 5u) << "the recording is put out once a second";
    const Flush& first = flushes[1];
    const Flush& last = flushes.back();
    double rate = static_cast<double>(last.steps - first.steps) / (last.seconds - first.seconds);
    RecordProperty("steps_per_second_x100", static_cast<int>(rate * 100));
    std::printf("measured %.2f steps a second over %.2f s\n", rate, last.seconds - first.seconds);
    EXPECT_GE(rate, LEAST_PACED_STEPS_PER_SECOND);
    EXPECT_LE(rate, 64.0);
}

// A game that gets the processor only part of the time (stopped for 30 ms of
// every 50) draws its frames late; the late frames catch up with extra steps, so
// the world keeps close to its 60 a second. After a stall (stopped for 1.5 s) the
// game goes on at its rate: no burst of steps makes up for the stall. Bounds are
// generous: a game that did not catch up would lose a share of its steps, one that
// made up a stall would show hundreds a second.
TEST_F(Session, PaceHoldsOnAStarvedMachineAndAfterAStall) {
    std::string recording = folder_ + "/starved.vrec";
    Start({RUN_DIR + "/vortane", "--record", recording});
    ASSERT_FALSE(Window().empty()) << Stderr();
    auto watchStart = std::chrono::steady_clock::now();
    auto since = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - watchStart).count();
    };
    auto watch = [&](std::vector<Flush>& flushes, double until, bool starve) {
        bool stopped = false;
        while (since() < until) {
            bool stop = starve && std::fmod(since(), 0.050) < 0.030;
            if (stop != stopped) kill(game_.pid, stop ? SIGSTOP : SIGCONT);
            stopped = stop;
            long steps = ReadRecordingFacts(recording).bodySteps;
            if (flushes.empty() || steps != flushes.back().steps) flushes.push_back({since(), steps});
            Pause(2);
        }
        if (stopped) kill(game_.pid, SIGCONT);
    };
    std::vector<Flush> starved;
    watch(starved, 5.5, true);
    kill(game_.pid, SIGSTOP);
    Pause(1500);
    kill(game_.pid, SIGCONT);
    std::vector<Flush> afterStall;
    watch(afterStall, since() + 4.5, false);
    ASSERT_EQ(QuitWithEscape(), 0) << Stderr();

    double starvedRate = FlushRate(starved);
    double afterRate = FlushRate(afterStall);
    std::printf("measured %.2f steps a second while starved, %.2f after the stall\n", starvedRate, afterRate);
    RecordProperty("starved_steps_per_second_x100", static_cast<int>(starvedRate * 100));
    RecordProperty("after_stall_steps_per_second_x100", static_cast<int>(afterRate * 100));
    ASSERT_GE(starved.size(), 4u) << "the recording is put out once a second";
    ASSERT_GE(afterStall.size(), 4u);
    EXPECT_GE(starvedRate, LEAST_PACED_STEPS_PER_SECOND);
    EXPECT_LE(starvedRate, 64.0);
    // After the stall only the upper bound means something: a busy machine may
    // well draw slower than before it.
    EXPECT_GT(afterRate, 0.0);
    EXPECT_LE(afterRate, 64.0);
    // Across the stall itself: the steps of the flush interval holding it.
    long stallSteps = afterStall[1].steps - starved.back().steps;
    double stallSeconds = afterStall[1].seconds - starved.back().seconds;
    EXPECT_LE(stallSteps, 64.0 * (stallSeconds - 1.5) + 8)
        << stallSteps << " steps in " << stallSeconds << " s";
}

// xdotool's "key" sends the press and the release back to back, as remote
// desktops and on-screen keyboards do: both games see the tap and end.
TEST_F(Session, ATapOfEscapeEndsEitherEdition) {
    const std::vector<std::vector<std::string>> games = {{RUN_DIR + "/vortane"},
                                                         {RUN_DIR + "/vortane-classic", "--window"}};
    for (const std::vector<std::string>& argv : games) {
        Start(argv);
        ASSERT_FALSE(Window().empty()) << Stderr();
        Keys({"key", "Escape"});
        EXPECT_EQ(WaitChild(game_, EXIT_DEADLINE_MS), 0) << argv[0] << ": " << Stderr();
        game_.pid = -1;
    }
}
