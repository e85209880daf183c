#include "app/frame_pacing.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/step_clock.h"

namespace {

TEST(FrameRate, AcceptsWholeNumbersUpToTheLimitOnly) {
    struct Case {
        const char* text;
        bool ok;
        int fps;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"60", true, 60},
        {"144", true, 144},
        {"1000", true, 1000},
        {"1001", false, 0},
        {"", false, 0},
        {"-1", false, 0},
        {"+60", false, 0},
        {"60.5", false, 0},
        {"6O", false, 0},
        {" 60", false, 0},
        {"60 ", false, 0},
        {"99999999999", false, 0},
    };
    for (const Case& c : cases) {
        int fps = -7;
        EXPECT_EQ(ParseFps(c.text, fps), c.ok) << c.text;
        EXPECT_EQ(fps, c.ok ? c.fps : -7) << c.text << ": a refused value leaves the rate alone";
    }
    int fps = -7;
    EXPECT_FALSE(ParseFps(nullptr, fps));
}

// The driver as the tests want it: which intervals it grants, and what was asked.
std::vector<int> granted;
std::vector<int> asked;
bool FakeSwapInterval(int interval) {
    asked.push_back(interval);
    for (int g : granted) {
        if (g == interval) return true;
    }
    return false;
}

TEST(Pacing, ChoosesSwapIntervalOrLimiter) {
    struct Case {
        const char* what;
        int fps;
        int refresh;
        bool oneGranted;
        std::vector<int> grants;
        int swapInterval;
        double limiterFps;
        double stepRate;
    };
    const Case cases[] = {
        {"vsync works: the display paces", FPS_DISPLAY, 60, true, {1}, 1, 0, 60},
        {"75 Hz: one step per refresh", FPS_DISPLAY, 75, true, {1}, 1, 0, 75},
        {"no vsync: the limiter at the refresh rate", FPS_DISPLAY, 75, false, {}, 0, 75, 75},
        {"no vsync, refresh unknown: 60 a second",
         FPS_DISPLAY,
         0,
         false,
         {},
         0,
         STEP_RATE_FALLBACK,
         STEP_RATE_FALLBACK},
        {"120 Hz: every second refresh", FPS_DISPLAY, 120, true, {1, 2}, 2, 0, 60},
        {"144 Hz: every second refresh", FPS_DISPLAY, 144, true, {1, 2}, 2, 0, 72},
        {"240 Hz: every third refresh", FPS_DISPLAY, 240, true, {1, 3}, 3, 0, 80},
        {"144 Hz, interval 2 refused: every refresh drawn, every second stepped",
         FPS_DISPLAY,
         144,
         true,
         {1},
         1,
         0,
         72},
        {"165 Hz without vsync: the limiter at the step rate", FPS_DISPLAY, 165, false, {}, 0, 82.5, 82.5},
        {"a 30 Hz display: 60 steps, caught up", FPS_DISPLAY, 30, true, {1}, 1, 0, STEP_RATE_FALLBACK},
        {"60 on a 120 Hz display: every second refresh", 60, 120, true, {1, 2}, 2, 0, 60},
        {"60 on a 240 Hz display: every fourth refresh", 60, 240, true, {1, 4}, 4, 0, 60},
        {"60 on 144 Hz: no whole interval, the limiter", 60, 144, true, {1, 2}, 1, 60, 60},
        {"60 on 120 Hz, interval 2 refused: the limiter", 60, 120, true, {1}, 1, 60, 60},
        {"60 at 60 Hz with vsync: interval 1 as granted", 60, 60, true, {1}, 1, 0, 60},
        {"30 without vsync and unknown refresh: the limiter", 30, 0, false, {}, 0, 30, 30},
        {"unpaced with vsync: interval 0", 0, 60, true, {0, 1}, 0, 0, 0},
        {"unpaced without vsync: nothing", 0, 0, false, {}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        granted = c.grants;
        asked.clear();
        PacingPlan plan = ChoosePacing(c.fps, c.refresh, c.oneGranted, FakeSwapInterval);
        EXPECT_EQ(plan.swapInterval, c.swapInterval) << c.what;
        EXPECT_DOUBLE_EQ(plan.limiterFps, c.limiterFps) << c.what;
        EXPECT_DOUBLE_EQ(plan.stepRate, c.stepRate) << c.what;
    }
}

TEST(Pacing, LimiterKeepsItsScheduleAndDropsItWhenFramesComeLate) {
    const int64_t period = 16666666;
    struct Case {
        const char* what;
        int64_t deadline, now, next;
    };
    const Case cases[] = {
        {"on time", 1000, 1000, 1000 + period},
        {"a little late: the schedule holds", 1000, 1000 + period / 2, 1000 + period},
        {"late up to the next deadline: still held", 1000, 1000 + period, 1000 + period},
        {"past the next deadline: a period from now", 1000, 1000 + period + 1, 1000 + 2 * period + 1},
        {"three frames late: no frames drawn in a hurry", 1000, 1000 + 3 * period, 1000 + 4 * period},
        {"long stall: no burst afterwards", 1000, 1000 + 50 * period, 1000 + 51 * period},
    };
    for (const Case& c : cases) EXPECT_EQ(NextFrameDeadline(c.deadline, c.now, period), c.next) << c.what;
    EXPECT_EQ(FrameLimiter(60).Period(), 16666666);
    EXPECT_EQ(FrameLimiter(144).Period(), 6944444);
    EXPECT_EQ(FrameLimiter(82.5).Period(), 12121212);
}

}  // namespace
