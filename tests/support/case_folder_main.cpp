// CTest runs every case of a test program as its own process, several at once, in
// the program's working folder. Each case moves into a fresh folder of its own
// first, so cases that write log.txt or scratch files never meet. (The Windows
// build's tests run a whole program at once under wine: there every case of the
// process still gets a folder of its own.)
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/folders.h"

namespace {

// Makes a fresh folder here and enters it; "" when it cannot.
std::string EnterCaseFolder() {
    std::string folder = MakeScratchFolder("case");
    std::error_code error;
    if (!folder.empty()) std::filesystem::current_path(folder, error);
    if (folder.empty() || error) return "";
#ifndef _WIN32
    // The games keep settings and scores in the player's folder: every program a
    // case starts keeps them in the case's folder, never in the real home.
    std::string dataHome = folder + "/xdg-data";
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
#endif
    return folder;
}

void LeaveCaseFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::current_path(std::filesystem::path(folder).parent_path(), error);
    if (!error) std::filesystem::remove_all(folder, error);
}

// Under wine a process runs every case of its program: each in a folder of its own too.
class CaseFolders : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override {
        folder = EnterCaseFolder();
        if (folder.empty()) std::fprintf(stderr, "case folder: cannot make or enter one\n");
    }
    void OnTestEnd(const testing::TestInfo&) override {
        if (!folder.empty()) LeaveCaseFolder(folder);
        folder.clear();
    }

private:
    std::string folder;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::string folder = EnterCaseFolder();
    if (folder.empty()) {
        std::fprintf(stderr, "case folder: cannot make or enter one here\n");
        return 1;
    }
#ifdef _WIN32
    testing::UnitTest::GetInstance()->listeners().Append(new CaseFolders);
#endif
    int result = RUN_ALL_TESTS();
    LeaveCaseFolder(folder);
    return result;
}
