#include "game/run_log.h"

#include <gtest/gtest.h>

#include <sstream>

#include "game/input_script.h"
#include "game/recording.h"

namespace {

InputScript Script(const std::string& text) {
    std::istringstream in(text);
    InputScript script;
    std::string error;
    EXPECT_TRUE(ParseInputScript(in, "script", script, error)) << error;
    return script;
}

}  // namespace

// The session kept in memory comes out as a recording the reader takes whole,
// with the same controls step for step.
TEST(RunLog, LogsEveryStepAsARecordingThatReadsBack) {
    ScriptedControls played(Script("3 FIRE\n2\n1 LEFT KEY2\n4 ESC\n"));
    RunLog log;
    log.Start("current", 1765123456);
    LoggedControls logged(played, log);
    for (int step = 0; step < 10; ++step) logged.Poll();
    EXPECT_EQ(log.Steps(), 10u);

    std::istringstream text(log.Recording(120, 77));
    Recording read;
    std::string error;
    ASSERT_TRUE(ParseRecording(text, "best", read, error)) << error;
    EXPECT_EQ(read.edition, "current");
    EXPECT_EQ(read.seed, 1765123456u);
    EXPECT_EQ(read.steps, 10u);
    EXPECT_EQ(read.score, 120);
    EXPECT_EQ(read.rand, 77u);

    // Replaying the read script holds what the original held, step by step.
    ScriptedControls original(Script("3 FIRE\n2\n1 LEFT KEY2\n4 ESC\n"));
    ScriptedControls again(read.script);
    for (int step = 0; step < 10; ++step) {
        original.Poll();
        again.Poll();
        EXPECT_EQ(HeldControls(again), HeldControls(original)) << "step " << step;
    }
}

TEST(RunLog, EqualStepsShareOneLineAndStartBeginsAfresh) {
    RunLog log;
    log.Start("classic", 5);
    for (int i = 0; i < 1000; ++i) log.AddStep(0);
    log.AddStep(1);
    std::string text = log.Recording(0, 1);
    EXPECT_NE(text.find("\n1000\n1 ESC\n# end steps 1001 score 0 rand 1\n"), std::string::npos) << text;
    log.Start("classic", 6);
    EXPECT_EQ(log.Steps(), 0u);
    EXPECT_EQ(log.Recording(0, 2),
              "# vortane recording\n# edition classic\n# seed 6\n# end steps 0 score 0 rand 2\n");
}
