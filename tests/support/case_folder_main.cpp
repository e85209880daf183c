// CTest runs every case of a test program as its own process, several at once, in
// the program's working folder. Each process moves into a fresh folder of its own
// first, so cases that write log.txt or scratch files never meet.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    char folder[] = "case-XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) {
        std::perror("case folder");
        return 1;
    }
    // The games keep settings and scores in the player's folder: every program a
    // case starts keeps them in the case's folder, never in the real home.
    std::string dataHome = std::filesystem::current_path().string() + "/xdg-data";
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    int result = RUN_ALL_TESTS();
    if (chdir("..") == 0) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    return result;
}
