#include "store/atomic_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "tests/support/files.h"

namespace fs = std::filesystem;

namespace {

int TemporaryFilesIn(const std::string& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().find(".tmp.") != std::string::npos) count += 1;
    }
    return count;
}

}  // namespace

TEST(AtomicFile, ReplacesTheFileAndLeavesNoTemporary) {
    std::string error;
    ASSERT_TRUE(WriteFileAtomically("kept.txt", "old\n", error)) << error;
    ASSERT_TRUE(WriteFileAtomically("kept.txt", "new text\n", error)) << error;
    EXPECT_EQ(ReadFile("kept.txt"), "new text\n");
    EXPECT_EQ(TemporaryFilesIn("."), 0);
}

TEST(AtomicFile, FailureNamesTheFileAndKeepsTheOld) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically("no-such-folder/kept.txt", "x", error));
    EXPECT_NE(error.find("no-such-folder/kept.txt"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists("no-such-folder"));

    // A folder in the way: the rename fails, and the temporary goes again.
    ASSERT_TRUE(fs::create_directory("busy"));
    ASSERT_TRUE(WriteFileAtomically("busy/inside.txt", "inside\n", error)) << error;
    EXPECT_FALSE(WriteFileAtomically("busy", "text", error));
    EXPECT_NE(error.find("busy"), std::string::npos);
    EXPECT_EQ(ReadFile("busy/inside.txt"), "inside\n");
    EXPECT_EQ(TemporaryFilesIn("."), 0);
}

// A writer killed at random moments, many times over: the file is always exactly
// the old text or the new one, never empty, cut short or a mix.
TEST(AtomicFile, KillDuringWriteLeavesOldOrNew) {
    const std::string first(200000, 'a');
    const std::string second = std::string(150000, 'b') + "\nthe end\n";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically("kept.txt", first, error)) << error;
    std::mt19937 random(12345);
    int sawFirst = 0, sawSecond = 0;
    for (int round = 0; round < 150; ++round) {
        // The writer says when it is in its loop, so every kill lands while it writes.
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::string childError;
            WriteFileAtomically("kept.txt", second, childError);
            char byte = 1;
            if (write(ready[1], &byte, 1) != 1) _exit(1);
            for (;;) {
                WriteFileAtomically("kept.txt", first, childError);
                WriteFileAtomically("kept.txt", second, childError);
            }
        }
        close(ready[1]);
        char byte = 0;
        ASSERT_EQ(read(ready[0], &byte, 1), 1);
        close(ready[0]);
        usleep(static_cast<useconds_t>(random() % 20000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        std::string now = ReadFile("kept.txt");
        ASSERT_TRUE(now == first || now == second) << "round " << round << ": " << now.size() << " bytes";
        (now == first ? sawFirst : sawSecond) += 1;
    }
    // Both texts were caught in place, so the kills landed while the writer ran.
    EXPECT_GT(sawFirst, 0);
    EXPECT_GT(sawSecond, 0);
}
