// The installed tree: laid out by `cmake --install` into a scratch stage (DESTDIR),
// so the programs run from a prefix that is not the one configured: they must find
// their data relative to themselves, from any working directory.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/programs.h"
#include "tools/png_frame.h"

namespace fs = std::filesystem;

namespace {

// Runs a shell command; its exit status, or -1 when it did not exit.
int Shell(const std::string& command) { return RunShell(command).status; }

// One install of this build, staged under the case's scratch folder; `prefix` is
// where the tree landed (stage + the configured prefix).
class InstalledTree : public testing::Test {
protected:
    void SetUp() override {
        stage = fs::current_path().string() + "/stage";
        std::string log = fs::current_path().string() + "/install.log";
        ASSERT_EQ(Shell("DESTDIR='" + stage + "' cmake --install '" + std::string(VORTANE_BINARY_DIR) +
                        "' >'" + log + "' 2>&1"),
                  0)
            << ReadFile(log);
        std::string configured = ConfiguredPrefix();
        ASSERT_FALSE(configured.empty());
        prefix = stage + configured;
        // A working directory with an unrelated data/ folder, as a home folder may have.
        fs::create_directories("elsewhere/data");
        std::ofstream("elsewhere/data/notes.txt") << "not the game's\n";
    }

    static std::string ConfiguredPrefix() {
        std::string cache = ReadFile(std::string(VORTANE_BINARY_DIR) + "/CMakeCache.txt");
        const std::string key = "CMAKE_INSTALL_PREFIX:PATH=";
        std::string::size_type at = cache.find(key);
        if (at == std::string::npos) return std::string();
        at += key.size();
        return cache.substr(at, cache.find('\n', at) - at);
    }

    std::string stage;
    std::string prefix;
};

TEST_F(InstalledTree, HoldsTheProgramsTheDataAndTheDocuments) {
    for (const char* program : {"vortane", "vortane-classic", "vortane-sim", "vortane-shot", "zonder-render",
                                "zonder-pack", "make-textures"}) {
        EXPECT_EQ(access((prefix + "/bin/" + program).c_str(), X_OK), 0) << program;
    }
    int pictures = 0, sounds = 0, songs = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(prefix + "/share/vortane/data")) {
        std::string extension = entry.path().extension().string();
        pictures += extension == ".tga";
        sounds += extension == ".zdi";
        songs += extension == ".zds";
    }
    EXPECT_GE(pictures, 19);
    EXPECT_EQ(sounds, 5);
    EXPECT_EQ(songs, 1);
    EXPECT_TRUE(fs::exists(prefix + "/share/doc/vortane/README.md"));
    EXPECT_TRUE(fs::exists(prefix + "/share/doc/vortane/LICENSE"));
}

TEST_F(InstalledTree, ShotFromAnotherFolderDrawsTheBuildTreesFrame) {
    // The installed vortane-shot started beside an unrelated data/ folder finds its
    // installed data; the build tree's, given its data explicitly, is the yardstick.
    const std::string arguments = " --seed 3 --steps 200 --out ";
    std::string here = fs::current_path().string();
    ASSERT_EQ(Shell("cd elsewhere && '" + prefix + "/bin/vortane-shot'" + arguments + "'" + here +
                    "/installed.png' 2>'" + here + "/installed.log'"),
              0)
        << ReadFile(here + "/installed.log");
    EXPECT_EQ(ReadFile(here + "/installed.log"), "");
    ASSERT_EQ(Shell("'" + std::string(VORTANE_RUN_DIR) + "/vortane-shot' --data '" +
                    std::string(VORTANE_RUN_DIR) + "/data'" + arguments + "'" + here + "/built.png'"),
              0);
    std::vector<uint8_t> installed, built;
    int width = 0, height = 0, builtWidth = 0, builtHeight = 0;
    std::string error;
    ASSERT_TRUE(ReadPngRGB(here + "/installed.png", installed, width, height, error)) << error;
    ASSERT_TRUE(ReadPngRGB(here + "/built.png", built, builtWidth, builtHeight, error)) << error;
    EXPECT_EQ(width, builtWidth);
    EXPECT_EQ(height, builtHeight);
    EXPECT_TRUE(installed == built) << "the installed tree draws a different frame";
}

TEST_F(InstalledTree, ShotWithoutItsDataSaysWhereItLooked) {
    // The same tree with its data taken away: one line naming the places, and a
    // frame all the same (flat squares).
    fs::remove_all(prefix + "/share/vortane/data");
    std::string here = fs::current_path().string();
    EXPECT_EQ(Shell("cd elsewhere && env -u VORTANE_DATA '" + prefix +
                    "/bin/vortane-shot' --steps 10 --out '" + here + "/flat.png' 2>'" + here + "/flat.log'"),
              0);
    std::string message = ReadFile(here + "/flat.log");
    EXPECT_NE(message.find("no data files (grid6.tga) in data/, " + prefix + "/bin/data/, " + prefix +
                           "/bin/../share/vortane/data/"),
              std::string::npos)
        << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
}

TEST_F(InstalledTree, GamesAnswerVersionWithoutADisplay) {
    for (const char* program : {"vortane", "vortane-classic"}) {
        std::string out = fs::current_path().string() + "/version.txt";
        EXPECT_EQ(Shell("cd elsewhere && env -u DISPLAY -u WAYLAND_DISPLAY '" + prefix + "/bin/" + program +
                        "' --version >'" + out + "' 2>&1"),
                  0)
            << program;
        EXPECT_EQ(ReadFile(out), std::string(program) + " " + VORTANE_VERSION + "\n") << program;
    }
}

}  // namespace
