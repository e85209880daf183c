#include "app/frame_pacing.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "base/step_clock.h"

bool ParseFps(const char* text, int& fps) {
    if (!text || *text == '\0' || std::strlen(text) > 4) return false;
    int value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + (*p - '0');
    }
    if (value > MAX_FPS) return false;
    fps = value;
    return true;
}

PacingPlan ChoosePacing(int requestedFps, int refreshRate, bool swapIntervalOneGranted,
                        bool (*trySwapInterval)(int interval)) {
    PacingPlan plan;
    plan.swapInterval = swapIntervalOneGranted ? 1 : 0;
    if (requestedFps == 0) {
        // Unpaced: as fast as the machine draws.
        if (swapIntervalOneGranted && trySwapInterval(0)) plan.swapInterval = 0;
        return plan;
    }
    if (requestedFps < 0) {
        plan.stepRate = DisplayStepRate(refreshRate);
        if (!swapIntervalOneGranted) {
            plan.limiterFps = plan.stepRate;
            return plan;
        }
        int k = RefreshesPerStep(refreshRate);
        if (k > 1 && trySwapInterval(k)) plan.swapInterval = k;
        return plan;
    }
    plan.stepRate = requestedFps;
    // N a second: every k-th refresh when the rate divides evenly, else the limiter.
    if (refreshRate > 0 && refreshRate % requestedFps == 0) {
        int interval = refreshRate / requestedFps;
        if (interval == plan.swapInterval || trySwapInterval(interval)) {
            plan.swapInterval = interval;
            return plan;
        }
    }
    plan.limiterFps = requestedFps;
    return plan;
}

int64_t NextFrameDeadline(int64_t deadline, int64_t now, int64_t period) {
    int64_t next = deadline + period;
    return now - next > LIMITER_MAX_LAG_FRAMES * period ? now + period : next;
}

// The standard library's steady clock: CLOCK_MONOTONIC on Linux, the performance
// counter on Windows.
int64_t MonotonicNanoseconds() {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(since).count();
}

FrameLimiter::FrameLimiter(double fps) : period(static_cast<int64_t>(1e9 / (fps > 0 ? fps : 1))) {}

void FrameLimiter::Wait() {
    int64_t now = MonotonicNanoseconds();
    if (deadline == 0) {
        deadline = now + period;
        return;
    }
    if (now < deadline - LIMITER_SPIN_NS) {
        std::chrono::steady_clock::time_point wake{std::chrono::nanoseconds(deadline - LIMITER_SPIN_NS)};
        std::this_thread::sleep_until(wake);
    }
    // The last fraction: watch the clock, giving the core away between looks.
    while ((now = MonotonicNanoseconds()) < deadline) std::this_thread::yield();
    deadline = NextFrameDeadline(deadline, now, period);
}
