#include "base/step_clock.h"

#include <algorithm>
#include <cmath>

int RefreshesPerStep(double refreshRate) {
    if (!(refreshRate > STEP_RATE_HIGHEST_DISPLAY)) return 1;
    return static_cast<int>(std::ceil(refreshRate / STEP_RATE_HIGHEST_DISPLAY));
}

double DisplayStepRate(double refreshRate) {
    if (!(refreshRate >= STEP_RATE_LOWEST_DISPLAY)) return STEP_RATE_FALLBACK;
    return refreshRate / RefreshesPerStep(refreshRate);
}

StepClock::StepClock(StepTimeSource now_, double stepsPerSecond) : now(now_) { SetRate(stepsPerSecond); }

void StepClock::SetRate(double stepsPerSecond) {
    rate = stepsPerSecond > 0 ? stepsPerSecond : 0;
    period = rate > 0 ? static_cast<int64_t>(1e9 / rate) : 0;
    schedulePeriod = rate > 0 ? static_cast<int64_t>(1e9 / rate * (1.0 + STEP_CLOCK_SLACK)) : 0;
    started = false;
}

int StepClock::StepsForFrame() {
    if (rate <= 0) return 1;
    int64_t t = now();
    int64_t interval = t - lastFrame;
    lastFrame = t;
    if (!started) {
        started = true;
        due = t + schedulePeriod;
        frameSpacing = 0;
        return 1;
    }
    // The frames' usual spacing, smoothed, leaving out stalls.
    if (interval > 0 && interval < 4 * period) {
        frameSpacing = frameSpacing == 0 ? interval : frameSpacing + (interval - frameSpacing) / 8;
    }
    int64_t lateness = t - due;
    if (lateness < 0) {
        // Early by more than half the frames' spacing: a later frame is nearer the
        // step (a display faster than the rate). Otherwise the step runs, and the
        // schedule moves to this frame so earliness never piles up into a skip.
        int64_t tolerance = std::min(period, frameSpacing > 0 ? frameSpacing : period) / 2;
        if (-lateness > tolerance) return 0;
        due = t + schedulePeriod;
        return 1;
    }
    // A frame late by nearly a whole period (one missed refresh: the schedule's
    // slack makes it a little less than one) runs its extra step at once.
    int64_t behind = (lateness + schedulePeriod / 10) / schedulePeriod;
    if (behind > STEP_CLOCK_STALL_PERIODS) {
        due = t + schedulePeriod;
        return 1;
    }
    if (behind > STEP_CLOCK_MAX_CATCH_UP) {
        // Bounded: what the extra steps cannot make up is let go.
        due = t + schedulePeriod;
        return 1 + STEP_CLOCK_MAX_CATCH_UP;
    }
    // The fraction of a period left over is kept, so slow frames add up to whole steps.
    due += (1 + behind) * schedulePeriod;
    return 1 + static_cast<int>(behind);
}

bool RefreshMeter::AddFrame(int64_t nowNs) {
    if (rate > 0) return false;
    int64_t previous = last;
    last = nowNs;
    if (previous < 0 || nowNs <= previous) return false;
    intervals[count++] = nowNs - previous;
    if (count < REFRESH_SAMPLE_FRAMES) return false;
    std::nth_element(intervals, intervals + count / 2, intervals + count);
    rate = 1e9 / static_cast<double>(intervals[count / 2]);
    return true;
}
