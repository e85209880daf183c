// The step clock on a clock of the test's own: displays of every common rate,
// frames that come late, and stalls.
#include "base/step_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

int64_t fakeNow = 0;
int64_t FakeNow() { return fakeNow; }

constexpr int64_t SECOND = 1000000000;

// A frame's jitter, up to ±0.5 ms: the time a swap or an animation frame returns
// wobbles around the refresh.
int64_t Jitter(int frame) { return static_cast<int64_t>((frame * 7919) % 1001) * 1000 - 500000; }

struct Played {
    long steps = 0;
    int most = 0;           // the most steps one frame ran
    int least = 99;         // the fewest
    std::vector<int> each;  // every frame's steps
};

// `frames` frames `interval` apart (with jitter) through a clock at `rate`.
Played Play(double rate, int64_t interval, int frames, bool jitter = true) {
    StepClock clock(FakeNow, rate);
    Played run;
    fakeNow = 5 * SECOND;
    for (int i = 0; i < frames; ++i) {
        fakeNow = 5 * SECOND + i * interval + (jitter ? Jitter(i) : 0);
        int steps = clock.StepsForFrame();
        run.steps += steps;
        run.most = std::max(run.most, steps);
        run.least = std::min(run.least, steps);
        run.each.push_back(steps);
    }
    return run;
}

int64_t IntervalOf(double hz) { return static_cast<int64_t>(1e9 / hz); }

TEST(StepRate, OneStepPerRefreshUpToEightyFiveHertzEveryKthAbove) {
    struct Case {
        double refresh;
        int k;
        double rate;
    };
    const Case cases[] = {
        {50, 1, 50},
        {59.94, 1, 59.94},
        {60, 1, 60},
        {75, 1, 75},
        {85, 1, 85},
        {85.5, 2, 42.75},
        {100, 2, 50},
        {120, 2, 60},
        {144, 2, 72},
        {165, 2, 82.5},
        {240, 3, 80},
        {360, 5, 72},
        {0, 1, STEP_RATE_FALLBACK},
        {30, 1, STEP_RATE_FALLBACK},
        {49.9, 1, STEP_RATE_FALLBACK},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RefreshesPerStep(c.refresh), c.k) << c.refresh << " Hz";
        EXPECT_DOUBLE_EQ(DisplayStepRate(c.refresh), c.rate) << c.refresh << " Hz";
    }
}

// Frames at the display's own rate (the browser's animation frames, or the
// desktop's swaps at interval 1): over ten seconds, exactly the step rate, and a
// frame never runs two steps.
TEST(StepClock, EveryDisplayRateGivesItsStepRateOverTenSeconds) {
    const double displays[] = {60, 75, 120, 144, 165, 240};
    for (double refresh : displays) {
        double rate = DisplayStepRate(refresh);
        int frames = static_cast<int>(refresh * 10);
        Played run = Play(rate, IntervalOf(refresh), frames);
        EXPECT_NEAR(run.steps, rate * 10, 1.0) << refresh << " Hz";
        EXPECT_EQ(run.most, 1) << refresh << " Hz: no frame catches up on a display that keeps its pace";
        int k = RefreshesPerStep(refresh);
        // Steps fall on every k-th frame, never two frames in a row when k > 1.
        for (size_t i = 1; i < run.each.size() && k > 1; ++i) {
            EXPECT_FALSE(run.each[i] == 1 && run.each[i - 1] == 1) << refresh << " Hz, frame " << i;
        }
    }
}

// The desktop asks the driver for a swap interval of k, so its frames come at the
// step rate: one step each.
TEST(StepClock, FramesAtTheStepRateRunOneStepEach) {
    const double displays[] = {120, 144, 165, 240};
    for (double refresh : displays) {
        double rate = DisplayStepRate(refresh);
        Played run = Play(rate, IntervalOf(refresh) * RefreshesPerStep(refresh), static_cast<int>(rate * 10));
        EXPECT_EQ(run.most, 1) << refresh;
        EXPECT_EQ(run.least, 1) << refresh;
    }
}

// A display a little slower than it reports (59.94 Hz said to be 60) never
// earns an extra step: its frames run one step each.
TEST(StepClock, DisplaySlightlySlowerThanReportedStepsOncePerFrame) {
    Played run = Play(60, IntervalOf(59.94), 60 * 60);
    EXPECT_EQ(run.most, 1);
    EXPECT_EQ(run.least, 1);
}

// A machine that cannot draw 60 frames a second: late frames catch up, so the
// world keeps its rate (within the schedule's slack).
TEST(StepClock, SlowFramesCatchUpToTheRate) {
    const double drawRates[] = {45, 35, 25, 16};
    for (double draw : drawRates) {
        Played run = Play(60, IntervalOf(draw), static_cast<int>(draw * 10));
        EXPECT_GE(run.steps, 60 * 10 * (1.0 - 2 * STEP_CLOCK_SLACK)) << draw << " frames a second";
        EXPECT_LE(run.steps, 60 * 10 + 1) << draw << " frames a second";
        EXPECT_LE(run.most, 1 + STEP_CLOCK_MAX_CATCH_UP) << draw;
    }
}

// Slower still, the catch-up is bounded: at most four steps a frame, so the world
// slows down instead of leaping.
TEST(StepClock, CatchUpIsBoundedOnAVerySlowMachine) {
    Played run = Play(60, IntervalOf(8), 80);
    EXPECT_EQ(run.most, 1 + STEP_CLOCK_MAX_CATCH_UP);
    EXPECT_LE(run.steps, 80 * (1 + STEP_CLOCK_MAX_CATCH_UP));
    EXPECT_GE(run.steps, 80 * STEP_CLOCK_MAX_CATCH_UP);
}

TEST(StepClock, AStallIsFollowedByNoBurst) {
    StepClock clock(FakeNow, 60);
    const int64_t frame = IntervalOf(60);
    fakeNow = SECOND;
    for (int i = 0; i < 60; ++i, fakeNow += frame) EXPECT_EQ(clock.StepsForFrame(), 1);
    fakeNow += 2 * SECOND;  // the process was stopped, the window dragged …
    EXPECT_EQ(clock.StepsForFrame(), 1) << "the frame after a stall runs one step";
    for (int i = 0; i < 60; ++i) {
        fakeNow += frame;
        EXPECT_EQ(clock.StepsForFrame(), 1) << "frame " << i << " after the stall";
    }
}

TEST(StepClock, AHitchIsMadeUpWithinTheBound) {
    StepClock clock(FakeNow, 60);
    const int64_t refresh = IntervalOf(60);
    // The next frame, `refreshes` refreshes after the previous one.
    auto frameAfter = [&](int refreshes) {
        fakeNow += refreshes * refresh;
        return clock.StepsForFrame();
    };
    fakeNow = SECOND;
    for (int i = 0; i < 10; ++i) frameAfter(1);
    EXPECT_EQ(frameAfter(2), 2) << "one missed refresh is made up at once";
    EXPECT_EQ(frameAfter(1), 1);
    EXPECT_EQ(frameAfter(3), 3) << "two missed refreshes";
    EXPECT_EQ(frameAfter(1), 1);
    EXPECT_EQ(frameAfter(9), 1 + STEP_CLOCK_MAX_CATCH_UP) << "more than the bound makes up";
    for (int i = 0; i < 10; ++i) EXPECT_EQ(frameAfter(1), 1) << "the rest is let go, frame " << i;
}

TEST(StepClock, RestartForgetsThePause) {
    StepClock clock(FakeNow, 60);
    fakeNow = SECOND;
    clock.StepsForFrame();
    fakeNow += IntervalOf(60);
    clock.StepsForFrame();
    clock.Restart();
    fakeNow += SECOND / 5;  // paused for less than a stall
    EXPECT_EQ(clock.StepsForFrame(), 1);
    fakeNow += IntervalOf(60);
    EXPECT_EQ(clock.StepsForFrame(), 1);
}

TEST(StepClock, UnpacedRunsOneStepPerFrame) {
    Played run = Play(0, 1000, 100);
    EXPECT_EQ(run.steps, 100);
    Played slow = Play(0, SECOND, 10);
    EXPECT_EQ(slow.steps, 10);
}

TEST(StepClock, AnotherRateTakesEffect) {
    StepClock clock(FakeNow, 60);
    clock.SetRate(80);
    EXPECT_DOUBLE_EQ(clock.Rate(), 80);
    EXPECT_EQ(clock.Period(), 12500000);
    EXPECT_GT(clock.SchedulePeriod(), clock.Period());
    Played run = Play(80, IntervalOf(240), 2400);
    EXPECT_NEAR(run.steps, 800, 1);
}

TEST(RefreshMeter, MedianFrameIntervalGivesTheRate) {
    const double displays[] = {60, 75, 144, 240};
    for (double refresh : displays) {
        RefreshMeter meter;
        int64_t t = SECOND;
        bool known = false;
        for (int i = 0; i <= REFRESH_SAMPLE_FRAMES; ++i) {
            EXPECT_EQ(meter.Rate(), 0.0) << "not known before enough frames";
            // One hiccup among the frames does not count.
            t += i == 5 ? SECOND / 2 : IntervalOf(refresh) + Jitter(i) / 10;
            known = meter.AddFrame(t);
        }
        EXPECT_TRUE(known);
        EXPECT_NEAR(meter.Rate(), refresh, refresh * 0.01) << refresh;
        EXPECT_FALSE(meter.AddFrame(t + SECOND)) << "told once";
        EXPECT_NEAR(meter.Rate(), refresh, refresh * 0.01);
    }
}

}  // namespace
