// The vortane program itself, started as a user would, on the test's own X server.
#include <X11/keysym.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/app/test_support.h"

namespace {
const std::string PROGRAM = std::string(VORTANE_RUN_DIR) + "/vortane";

// Starts the program with the current directory as its working directory and its
// stderr in stderr.txt. withDisplay false takes every display away from it.
pid_t StartProgram(bool withDisplay, const char* option = nullptr, const char* value = nullptr) {
    pid_t pid = fork();
    if (pid == 0) {
        int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err >= 0) dup2(err, 2);
        if (!withDisplay) {
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            unsetenv("SDL_VIDEODRIVER");
        }
        execl(PROGRAM.c_str(), PROGRAM.c_str(), option, value, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// The program's exit status, or −1 when it did not end in time (it is then killed).
int WaitForExit(pid_t pid) {
    int status = 0;
    bool ended = WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

std::string ReadFile(const char* name) {
    std::ifstream file(name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

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
    pid_t pid = StartProgram(true);
    ASSERT_GT(pid, 0);
    unsigned long window = WaitForFocusedWindow();
    EXPECT_NE(window, 0ul);
    FakeKey(XK_Escape, true);
    int status = WaitForExit(pid);
    FakeKey(XK_Escape, false);
    EXPECT_EQ(status, 0) << ReadFile("stderr.txt");
    // The Escape step enables logging, the shutdown disables it before its first line.
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
    EXPECT_EQ(FindWindowByTitle("vortane"), 0ul);
}

TEST(Program, RunsOnTheGles2RendererAndQuitsOnEscape) {
    ScratchDir scratch;
    pid_t pid = StartProgram(true, "--renderer", "gles2");
    ASSERT_GT(pid, 0);
    unsigned long window = WaitForFocusedWindow();
    EXPECT_NE(window, 0ul);
    // A few frames through the shaders before leaving.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    FakeKey(XK_Escape, true);
    int status = WaitForExit(pid);
    FakeKey(XK_Escape, false);
    EXPECT_EQ(status, 0) << ReadFile("stderr.txt");
    EXPECT_EQ(ReadFile("stderr.txt").find("renderer"), std::string::npos) << ReadFile("stderr.txt");
}

TEST(Program, CloseRequestEndsWithExitCodeZero) {
    ScratchDir scratch;
    pid_t pid = StartProgram(true);
    ASSERT_GT(pid, 0);
    unsigned long window = WaitForFocusedWindow();
    ASSERT_NE(window, 0ul);
    RequestClose(window);
    EXPECT_EQ(WaitForExit(pid), 0) << ReadFile("stderr.txt");
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

TEST(Program, WithoutDisplayExplainsAndExitsZero) {
    ScratchDir scratch;
    pid_t pid = StartProgram(false);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(WaitForExit(pid), 0);
    EXPECT_NE(ReadFile("stderr.txt").find("ERROR: Failed To Register The Window Class."), std::string::npos)
        << ReadFile("stderr.txt");
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
}
