// The vortane program itself, started as a user would, on the test's own X server.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <chrono>
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

TEST(Program, WithoutDisplayExplainsAndExitsZero) {
    ScratchDir scratch;
    Child program = StartProgram(false);
    ASSERT_GT(program.pid, 0);
    EXPECT_EQ(WaitForExit(program), 0);
    EXPECT_NE(ReadFile("stderr.txt").find("ERROR: Failed To Register The Window Class."), std::string::npos)
        << ReadFile("stderr.txt");
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
}
