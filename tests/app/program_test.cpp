// The vortane program itself, started as a user would, on the test's own X server.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/display.h"
#include "tests/support/files.h"
#include "tests/support/folders.h"
#include "tests/support/programs.h"

namespace {
const std::string PROGRAM = std::string(VORTANE_RUN_DIR) + "/vortane";

// Starts the program with the current directory as its working directory and its
// stderr in stderr.txt. withDisplay false takes every display away from it.
Child StartProgram(bool withDisplay, const std::vector<std::string>& options = {}) {
    std::vector<std::string> argv = {PROGRAM};
    argv.insert(argv.end(), options.begin(), options.end());
    std::vector<std::string> environment;
    if (!withDisplay) environment = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
    return StartChild(argv, "", environment, "", "stderr.txt");
}

// The program's exit status, or −1 when it did not end in time (it is then killed).
int WaitForExit(Child& program) { return WaitChild(program, WAIT_SECONDS * 1000); }

// The program's window once it is up and has the keyboard focus, or 0.
unsigned long WaitForFocusedWindow() {
    unsigned long window = 0;
    WaitFor([&] {
        window = FindWindowByTitle("vortane");
        return window != 0 && FocusedXWindow() == window;
    });
    return window;
}
}  // namespace

TEST(Program, EscapeEndsWithExitCodeZeroAndNoLog) {
    ScratchDir scratch;
    Child program = StartProgram(true);
    ASSERT_GT(program.pid, 0);
    unsigned long window = WaitForFocusedWindow();
    EXPECT_NE(window, 0ul);
    FakeKey(XK_Escape, true);
    int status = WaitForExit(program);
    FakeKey(XK_Escape, false);
    EXPECT_EQ(status, 0) << ReadFile("stderr.txt");
    // The Escape step enables logging, the shutdown disables it before its first line.
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
    EXPECT_EQ(FindWindowByTitle("vortane"), 0ul);
}

TEST(Program, RunsOnTheGles2RendererAndQuitsOnEscape) {
    ScratchDir scratch;
    Child program = StartProgram(true, {"--renderer", "gles2"});
    ASSERT_GT(program.pid, 0);
    unsigned long window = WaitForFocusedWindow();
    EXPECT_NE(window, 0ul);
    // A few frames through the shaders before leaving.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    FakeKey(XK_Escape, true);
    int status = WaitForExit(program);
    FakeKey(XK_Escape, false);
    EXPECT_EQ(status, 0) << ReadFile("stderr.txt");
    EXPECT_EQ(ReadFile("stderr.txt").find("renderer"), std::string::npos) << ReadFile("stderr.txt");
}

TEST(Program, CloseRequestEndsWithExitCodeZero) {
    ScratchDir scratch;
    Child program = StartProgram(true);
    ASSERT_GT(program.pid, 0);
    unsigned long window = WaitForFocusedWindow();
    ASSERT_NE(window, 0ul);
    RequestClose(window);
    EXPECT_EQ(WaitForExit(program), 0) << ReadFile("stderr.txt");
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

TEST(Program, WithoutDisplayExplainsAndExitsOne) {
    ScratchDir scratch;
    Child program = StartProgram(false);
    ASSERT_GT(program.pid, 0);
    EXPECT_EQ(WaitForExit(program), 1);
    EXPECT_NE(ReadFile("stderr.txt").find("ERROR: Failed To Register The Window Class."), std::string::npos)
        << ReadFile("stderr.txt");
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

// A recording is begun before the window; when the window cannot open, no
// header-only file is left behind.
TEST(Program, WithoutDisplayLeavesNoRecording) {
    ScratchDir scratch;
    Child program = StartProgram(false, {"--record", "session.vrec"});
    ASSERT_GT(program.pid, 0);
    EXPECT_EQ(WaitForExit(program), 1);
    EXPECT_FALSE(std::filesystem::exists("session.vrec")) << ReadFile("session.vrec");
}

namespace {
// Press and release back to back, as remote desktops, on-screen keyboards and
// test drivers send them: both events arrive between two steps.
void Tap(unsigned long keysym) {
    FakeKey(keysym, true);
    FakeKey(keysym, false);
}
}  // namespace

TEST(Program, ATapOfEscapeEndsTheGameEveryTime) {
    for (int run = 0; run < 3; ++run) {
        ScratchDir scratch;
        Child program = StartProgram(true);
        ASSERT_GT(program.pid, 0);
        ASSERT_NE(WaitForFocusedWindow(), 0ul);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Tap(XK_Escape);
        EXPECT_EQ(WaitForExit(program), 0) << "run " << run << ": " << ReadFile("stderr.txt");
    }
}

// Taps of fire and a mode key reach the steps, and so the recording; P pauses,
// and Escape then quits at once.
TEST(Program, TapsReachTheRecordingAndEscapeQuitsWhilePaused) {
    ScratchDir scratch;
    Child program = StartProgram(true, {"--record", "taps.vrec"});
    ASSERT_GT(program.pid, 0);
    ASSERT_NE(WaitForFocusedWindow(), 0ul);
    // Taps during a slow start-up (a sanitizer build) would come before any step; the
    // recording puts out its first line after a second of steps.
    ASSERT_TRUE(WaitFor([] {
        std::string text = ReadFile("taps.vrec");
        size_t seed = text.find("# seed ");
        return seed != std::string::npos && text.find('\n', text.find('\n', seed) + 1) != std::string::npos;
    }));
    Tap(XK_z);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    Tap(XK_1);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    Tap(XK_p);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Tap(XK_Escape);
    EXPECT_EQ(WaitForExit(program), 0) << ReadFile("stderr.txt");
    std::string recording = ReadFile("taps.vrec");
    EXPECT_NE(recording.find(" FIRE"), std::string::npos) << recording;
    EXPECT_NE(recording.find(" KEY1"), std::string::npos) << recording;
    EXPECT_EQ(recording.find(" ESC"), std::string::npos) << "no step ran while paused: " << recording;
    EXPECT_NE(recording.find("# end steps"), std::string::npos) << recording;
}

// A tapped Escape is seen by a step: the recording's last step holds it.
TEST(Program, ATappedEscapeIsTheRecordingsLastStep) {
    ScratchDir scratch;
    Child program = StartProgram(true, {"--record", "escape.vrec"});
    ASSERT_GT(program.pid, 0);
    ASSERT_NE(WaitForFocusedWindow(), 0ul);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Tap(XK_Escape);
    EXPECT_EQ(WaitForExit(program), 0) << ReadFile("stderr.txt");
    std::vector<std::string> lines = Lines(ReadFile("escape.vrec"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "1 ESC");
}

// A paused replay ends on Escape too: no step reads the keyboard while paused.
TEST(Program, EscapeEndsAPausedReplay) {
    ScratchDir scratch;
    {
        std::FILE* file = std::fopen("long.vrec", "w");
        ASSERT_NE(file, nullptr);
        std::fputs(
            "# vortane recording\n# edition current\n# seed 5\n100000\n# end steps 100000 score 0 rand 1\n",
            file);
        std::fclose(file);
    }
    Child program = StartProgram(true, {"--replay", "long.vrec"});
    ASSERT_GT(program.pid, 0);
    ASSERT_NE(WaitForFocusedWindow(), 0ul);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Tap(XK_p);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Tap(XK_Escape);
    EXPECT_EQ(WaitForExit(program), 0) << ReadFile("stderr.txt");
}
