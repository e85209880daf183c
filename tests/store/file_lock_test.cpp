#include "store/file_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "store/best_scores.h"
#include "store/player_files.h"

namespace fs = std::filesystem;

// flock and LockFileEx lock an opening of the file, not a process: two holders in
// one process, each with its own opening, exclude each other as two games do. So
// these run the same on every host, wine included, without a second process.

namespace {

std::string Here(const std::string& leaf) { return fs::current_path().generic_string() + "/" + leaf; }

}  // namespace

TEST(FileLock, ASecondHolderWaitsForTheFirstToLetGo) {
    const std::string path = Here("scores.lock");
    auto first = std::make_unique<FileLock>(path);
    ASSERT_TRUE(first->Held()) << first->Error();
    std::atomic<bool> firstInside{true}, secondHeld{false}, secondSawFirstInside{false};
    std::thread second([&] {
        FileLock lock(path);
        secondHeld = lock.Held();
        secondSawFirstInside = firstInside.load();
    });
    // Long enough for a lock that does not hold to let the second one in.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(secondHeld.load()) << "the second holder got the lock while the first held it";
    firstInside = false;
    first.reset();
    second.join();
    EXPECT_TRUE(secondHeld.load());
    EXPECT_FALSE(secondSawFirstInside.load());
}

TEST(FileLock, ALockThatCannotBeMadeSaysWhy) {
    const std::string path = Here("no-such-folder/scores.lock");
    FileLock lock(path);
    EXPECT_FALSE(lock.Held());
    EXPECT_NE(lock.Error().find(path), std::string::npos) << lock.Error();
}

// Four writers record their scores into one file at once, each under an edition of
// its own, so a score lost to another's write would show in its table.
TEST(FileLock, WritersAtOnceLoseNoScore) {
    const std::string folder = Here("prefs/");
    fs::create_directories(folder);
    const int writers = 4, each = 10;
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int w = 0; w < writers; ++w) {
        threads.emplace_back([&, w] {
            for (int i = 1; i <= each; ++i) {
                BestScore entry;
                entry.edition = "game" + std::to_string(w);
                entry.score = i * 10;
                entry.date = "2026-12-08T08:00:00Z";
                std::vector<std::string> report;
                ScoreRank rank;
                if (!RecordBestScore(folder, entry, rank, report) || !report.empty()) ++failures;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 0);
    std::vector<std::string> report;
    std::vector<BestScore> scores = LoadBestScores(folder, report);
    EXPECT_TRUE(report.empty());
    for (int w = 0; w < writers; ++w) {
        std::vector<BestScore> table = EditionScores(scores, "game" + std::to_string(w));
        ASSERT_EQ(table.size(), size_t(each)) << "writer " << w;
        EXPECT_EQ(table.front().score, each * 10);
    }
}
