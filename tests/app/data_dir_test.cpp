#include "app/data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/app/test_support.h"

namespace fs = std::filesystem;

TEST(DataDir, WorkingDirectoryDataComesFirst) {
    ScratchDir scratch;
    fs::create_directories("data");
    fs::create_directories("bin/data");
    EXPECT_EQ(FindDataDir(scratch.Path() + "/bin/vortane"), "data/");
}

TEST(DataDir, FallsBackToTheFolderBesideTheProgram) {
    ScratchDir scratch;
    fs::create_directories("bin/data");
    EXPECT_EQ(FindDataDir(scratch.Path() + "/bin/vortane"), scratch.Path() + "/bin/data/");
}

TEST(DataDir, AFileNamedDataIsNotAFolder) {
    ScratchDir scratch;
    fs::create_directories("bin");
    {
        std::FILE* file = std::fopen("data", "w");
        std::fclose(file);
    }
    fs::create_directories("bin/data");
    EXPECT_EQ(FindDataDir(scratch.Path() + "/bin/vortane"), scratch.Path() + "/bin/data/");
}

TEST(DataDir, NeitherFolderGivesTheUsualRelativePath) {
    ScratchDir scratch;
    EXPECT_EQ(FindDataDir(scratch.Path() + "/bin/vortane"), "data/");
    EXPECT_EQ(FindDataDir(""), "data/");
}

TEST(DataDir, RunFolderBesideTheProgram) {
    ScratchDir scratch;
    // The build puts data/ next to the programs; started from elsewhere, the game finds it.
    EXPECT_EQ(FindDataDir(std::string(VORTANE_RUN_DIR) + "/vortane"),
              std::string(VORTANE_RUN_DIR) + "/data/");
}
