#pragma once
#include <cstdint>

// The world's steps follow the step clock (base/step_clock.h): one per frame at
// the display's pace on displays up to 85 Hz, every k-th refresh on faster ones,
// with catch-up when frames come late. The frames need a pace too: the swap
// interval when the driver grants it, otherwise a limiter that waits out each
// frame's share of a second on the monotonic clock.

// Highest --fps / VORTANE_FPS value accepted.
constexpr int MAX_FPS = 1000;
// No --fps given: pace to the display.
constexpr int FPS_DISPLAY = -1;

// Parses a frame rate: plain decimal digits, 0..MAX_FPS. False for anything else.
bool ParseFps(const char* text, int& fps);

// How the frames are paced: the swap interval in force, the limiter's rate (0: no
// limiter) and the world's steps a second for the step clock (0: one step per
// frame, unpaced).
struct PacingPlan {
    int swapInterval = 0;
    double limiterFps = 0;
    double stepRate = 0;
};

// Chooses the pacing for `requestedFps` (FPS_DISPLAY, 0 for unpaced, or N) on a
// display refreshing at `refreshRate` Hz (0: unknown). `swapIntervalOneGranted`
// says whether the window's request for a swap interval of 1 succeeded;
// `trySwapInterval` asks the driver for another interval and says whether it
// took. Paced to the display, the steps follow DisplayStepRate: a display above
// 85 Hz asks for a swap interval of k (refused, it keeps 1 and the step clock
// lets frames pass without a step). Without a granted interval the limiter stands
// in, at the step rate or at N.
PacingPlan ChoosePacing(int requestedFps, int refreshRate, bool swapIntervalOneGranted,
                        bool (*trySwapInterval)(int interval));

// The limiter's schedule, apart from the clock so it can be checked exactly: the
// deadline of the frame after one whose deadline was `deadline`, with the frame
// done at `now`. A frame a little late keeps the schedule; one that missed the
// next deadline too starts a fresh schedule a period from now. The step clock
// makes up the world's steps of a late frame, so frames drawn in a hurry after
// it would only show the same world again.
constexpr int64_t LIMITER_MAX_LAG_FRAMES = 0;
int64_t NextFrameDeadline(int64_t deadline, int64_t now, int64_t period);

// The limiter sleeps until this long before a deadline, then waits out the rest
// by watching the clock: sleeps can overshoot by a scheduler tick.
constexpr int64_t LIMITER_SPIN_NS = 2000000;

// Paces calls of Wait to `fps` a second on the monotonic clock, in nanoseconds.
class FrameLimiter {
public:
    explicit FrameLimiter(double fps);
    // Returns at the current frame's deadline (at once when it has passed) and
    // sets the next one. The first call only starts the schedule.
    void Wait();
    // Forgets the schedule (after a pause), so the next Wait starts afresh.
    void Restart() { deadline = 0; }
    int64_t Period() const { return period; }

private:
    int64_t period;
    int64_t deadline = 0;
};

// The monotonic clock in nanoseconds.
int64_t MonotonicNanoseconds();
