#include "base/stopwatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {
void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }
}  // namespace

TEST(Stopwatch, SinceAFreshMarkIsNonNegativeAndGrows) {
    Stopwatch watch;
    ASSERT_TRUE(watch.Start());
    watch.Mark(1);
    float first = watch.Since(1);
    EXPECT_GE(first, 0.0f);
    Pause();
    float later = watch.Since(1);
    EXPECT_GT(later, first);
}

TEST(Stopwatch, MarksAreIndependent) {
    Stopwatch watch;
    ASSERT_TRUE(watch.Start());
    watch.Mark(0);
    Pause();
    watch.Mark(19);
    // Slot 0 was marked earlier, so more time has passed since it.
    EXPECT_GT(watch.Since(0), watch.Since(19));
    float before = watch.Since(0);
    watch.Mark(2);  // marking another slot leaves slot 0 alone
    EXPECT_GE(watch.Since(0), before);
    EXPECT_GT(watch.Since(0), watch.Since(2));
}

TEST(Stopwatch, RemarkingRestartsOnlyThatSlot) {
    Stopwatch watch;
    ASSERT_TRUE(watch.Start());
    watch.Mark(3);
    watch.Mark(4);
    Pause();
    watch.Mark(4);
    EXPECT_GT(watch.Since(3), watch.Since(4));
}

TEST(Stopwatch, UnstartedWatchReadsZeroWithoutDividingByZero) {
    Stopwatch watch;
    watch.Mark(5);
    EXPECT_EQ(watch.Since(5), 0.0f);
}

TEST(Stopwatch, SlotsOutsideTheTableAreIgnored) {
    Stopwatch watch;
    ASSERT_TRUE(watch.Start());
    for (int slot = 0; slot < Stopwatch::MARK_COUNT; ++slot) watch.Mark(slot);
    Pause();
    float last = watch.Since(Stopwatch::MARK_COUNT - 1);
    watch.Mark(Stopwatch::MARK_COUNT);
    watch.Mark(-1);
    EXPECT_GE(watch.Since(Stopwatch::MARK_COUNT - 1), last);
    EXPECT_EQ(watch.Since(Stopwatch::MARK_COUNT), 0.0f);
    EXPECT_EQ(watch.Since(-1), 0.0f);
}
