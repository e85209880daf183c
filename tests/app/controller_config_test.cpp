// The pad mappings file named by SDL_GAMECONTROLLERCONFIG_FILE: one line when it
// cannot be read, nothing when it can.
#include "app/controller_config.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/folders.h"

namespace {

void WriteFile(const char* path) {
    std::FILE* file = std::fopen(path, "w");
    ASSERT_NE(file, nullptr);
    std::fputs("# no pads\n", file);
    std::fclose(file);
}

TEST(ControllerConfig, MissingOrUnreadableFileHasAProblem) {
    ScratchDir scratch;
    WriteFile("mappings.txt");
    EXPECT_EQ(ControllerConfigProblem("mappings.txt"), "");
    EXPECT_EQ(ControllerConfigProblem(nullptr), "");
    EXPECT_EQ(ControllerConfigProblem(""), "");
    EXPECT_EQ(ControllerConfigProblem("missing.txt"), "No such file or directory");
    EXPECT_EQ(ControllerConfigProblem("mappings.txt/inside"), "Not a directory");
    WriteFile("locked.txt");
    chmod("locked.txt", 0);
    // The superuser reads any file; the refusal is seen only by anyone else.
    if (geteuid() != 0) EXPECT_EQ(ControllerConfigProblem("locked.txt"), "Permission denied");
}

TEST(ControllerConfig, AFileThatCannotBeReadIsNamedInOneLine) {
    ScratchDir scratch;
    setenv("SDL_GAMECONTROLLERCONFIG_FILE", "no-such-mappings.txt", 1);
    testing::internal::CaptureStderr();
    ReportControllerConfigFile();
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("SDL_GAMECONTROLLERCONFIG_FILE names no-such-mappings.txt, which cannot be read "
                           "(No such file or directory)"),
              std::string::npos)
        << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;

    WriteFile("mappings.txt");
    setenv("SDL_GAMECONTROLLERCONFIG_FILE", "mappings.txt", 1);
    testing::internal::CaptureStderr();
    ReportControllerConfigFile();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    unsetenv("SDL_GAMECONTROLLERCONFIG_FILE");
    testing::internal::CaptureStderr();
    ReportControllerConfigFile();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
