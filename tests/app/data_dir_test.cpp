#include "app/data_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "base/program_name.h"
#include "tests/support/folders.h"

namespace fs = std::filesystem;

namespace {

void Touch(const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr) << path;
    std::fclose(file);
}

// A scratch tree with a program in bin/ and an install prefix in prefix/; each
// case adds the folders it is about.
struct Tree {
    ScratchDir scratch;
    DataPlaces places;
    Tree() {
        places.executablePath = scratch.Path() + "/bin/vortane";
        places.installedFromBin = "../share/vortane/data";
        places.installedDataDir = scratch.Path() + "/prefix/share/vortane/data";
        fs::create_directories("bin");
    }
    std::string Find(std::vector<std::string>* looked = nullptr) const {
        return FindDataDir(places, DATA_MARKER_CURRENT, looked);
    }
    std::string Path() const { return scratch.Path(); }
};

}  // namespace

TEST(DataDir, EnvironmentVariableWinsOverEveryFolder) {
    Tree tree;
    Touch("data/grid6.tga");
    Touch("bin/data/grid6.tga");
    Touch("elsewhere/grid6.tga");
    tree.places.environment = tree.Path() + "/elsewhere";
    EXPECT_EQ(tree.Find(), tree.Path() + "/elsewhere/");
    tree.places.environment = tree.Path() + "/elsewhere/";
    EXPECT_EQ(tree.Find(), tree.Path() + "/elsewhere/");
}

// A VORTANE_DATA that holds none of the edition's files (a typo, a folder of the
// other edition) is passed over like any other place.
TEST(DataDir, EnvironmentFolderWithoutTheFilesIsPassedOver) {
    Tree tree;
    Touch("bin/data/grid6.tga");
    Touch("classic-only/grid.tga");
    const std::string given[] = {"/nonexistent", tree.Path() + "/classic-only"};
    for (const std::string& folder : given) {
        tree.places.environment = folder;
        std::vector<std::string> looked;
        EXPECT_EQ(tree.Find(&looked), tree.Path() + "/bin/data/") << folder;
        ASSERT_FALSE(looked.empty());
        EXPECT_EQ(looked[0], folder + "/") << "looked at first";
    }
}

TEST(DataDir, EnvironmentFolderWithoutTheFilesIsNamedInOneLine) {
    ScratchDir scratch;
    setenv("VORTANE_DATA", "/nonexistent", 1);
    testing::internal::CaptureStderr();
    // The build tree's data next to this program is found after it.
    std::string found = DataDir(DATA_MARKER_CURRENT);
    std::string message = testing::internal::GetCapturedStderr();
    unsetenv("VORTANE_DATA");
    EXPECT_NE(found, "/nonexistent/");
    EXPECT_NE(
        message.find("VORTANE_DATA names /nonexistent, which holds none of the game's files (grid6.tga)"),
        std::string::npos)
        << message;
    EXPECT_GE(std::count(message.begin(), message.end(), '\n'), 1) << message;

    // A folder that holds the files is taken without a word.
    Touch("given/grid6.tga");
    setenv("VORTANE_DATA", "given", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(DataDir(DATA_MARKER_CURRENT), "given/");
    message = testing::internal::GetCapturedStderr();
    unsetenv("VORTANE_DATA");
    EXPECT_EQ(message, "");
}

TEST(DataDir, WorkingDirectoryHoldingTheFilesComesFirst) {
    Tree tree;
    Touch("data/grid6.tga");
    Touch("bin/data/grid6.tga");
    EXPECT_EQ(tree.Find(), "data/");
}

TEST(DataDir, UnrelatedDataFolderInTheWorkingDirectoryIsPassedOver) {
    Tree tree;
    Touch("data/holiday.jpg");
    Touch("bin/data/grid6.tga");
    EXPECT_EQ(tree.Find(), tree.Path() + "/bin/data/");
}

TEST(DataDir, EachEditionLooksForItsOwnFiles) {
    Tree tree;
    Touch("data/grid.tga");  // the earlier edition's data only
    Touch("bin/data/grid6.tga");
    EXPECT_EQ(FindDataDir(tree.places, DATA_MARKER_CLASSIC), "data/");
    EXPECT_EQ(FindDataDir(tree.places, DATA_MARKER_CURRENT), tree.Path() + "/bin/data/");
}

TEST(DataDir, AFolderNamedLikeTheMarkerIsNotTheFile) {
    Tree tree;
    fs::create_directories("data/grid6.tga");
    Touch("bin/data/grid6.tga");
    EXPECT_EQ(tree.Find(), tree.Path() + "/bin/data/");
}

TEST(DataDir, FolderNextToTheProgram) {
    Tree tree;
    Touch("bin/data/grid6.tga");
    Touch("share/vortane/data/grid6.tga");
    EXPECT_EQ(tree.Find(), tree.Path() + "/bin/data/");
}

TEST(DataDir, InstalledDataRelativeToTheProgram) {
    Tree tree;
    Touch("share/vortane/data/grid6.tga");
    Touch("prefix/share/vortane/data/grid6.tga");
    EXPECT_EQ(tree.Find(), tree.Path() + "/bin/../share/vortane/data/");
}

TEST(DataDir, InstalledDataAtTheConfiguredPrefix) {
    Tree tree;
    Touch("prefix/share/vortane/data/grid6.tga");
    EXPECT_EQ(tree.Find(), tree.Path() + "/prefix/share/vortane/data/");
}

TEST(DataDir, NothingFoundListsEveryPlaceLookedAt) {
    Tree tree;
    fs::create_directories("data");
    std::vector<std::string> looked;
    EXPECT_EQ(tree.Find(&looked), "");
    const std::vector<std::string> expected = {"data/", tree.Path() + "/bin/data/",
                                               tree.Path() + "/bin/../share/vortane/data/",
                                               tree.Path() + "/prefix/share/vortane/data/"};
    EXPECT_EQ(looked, expected);
}

TEST(DataDir, UnknownProgramPathStillTriesTheWorkingDirectoryAndThePrefix) {
    Tree tree;
    tree.places.executablePath.clear();
    std::vector<std::string> looked;
    EXPECT_EQ(tree.Find(&looked), "");
    const std::vector<std::string> expected = {"data/", tree.Path() + "/prefix/share/vortane/data/"};
    EXPECT_EQ(looked, expected);
}

TEST(DataDir, NothingFoundSaysSoInOneLineAndFallsBackToData) {
    ScratchDir scratch;
    // This test program lives in the build tree, next to no data/ of its own; with
    // VORTANE_DATA unset and a marker no place holds, the search comes up empty.
    unsetenv("VORTANE_DATA");
    testing::internal::CaptureStderr();
    EXPECT_EQ(DataDir("no-such-marker.tga"), "data/");
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(message.rfind("vortane: no data files (no-such-marker.tga) in data/, ", 0), 0u) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
}

TEST(DataDir, NothingFoundIsSaidUnderTheNameOfTheProgramThatLooked) {
    ScratchDir scratch;
    unsetenv("VORTANE_DATA");
    SetProgramName("vortane-classic");
    testing::internal::CaptureStderr();
    DataDir("no-such-marker.tga");
    std::string message = testing::internal::GetCapturedStderr();
    SetProgramName("vortane");
    EXPECT_EQ(message.rfind("vortane-classic: no data files (no-such-marker.tga) in ", 0), 0u) << message;
}

TEST(DataDir, TheProcessFindsTheBuildTreeData) {
    ScratchDir scratch;
    DataPlaces places = ProcessDataPlaces();
    places.environment.clear();
    places.executablePath = std::string(VORTANE_RUN_DIR) + "/vortane";
    EXPECT_EQ(FindDataDir(places, DATA_MARKER_CURRENT), std::string(VORTANE_RUN_DIR) + "/data/");
}
