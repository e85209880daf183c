#pragma once
#include <cstdint>

// How many world steps each displayed frame runs, for every shell: the desktop's
// swapped frames and the browser's animation frames alike. The world's rules are
// per step, so the step rate is the game's speed; frames only show it.
//
// The rate follows the display where that is sound: one step per refresh for
// displays of 50 to 85 Hz; a faster display steps on every k-th refresh, k the
// smallest whole number that brings the rate to 85 or below (120 Hz: 60,
// 144 Hz: 72, 165 Hz: 82.5, 240 Hz: 80). Frames that come late (a machine that
// cannot draw at that rate) catch up with up to STEP_CLOCK_MAX_CATCH_UP extra
// steps, so the world keeps its rate; after a stall the schedule starts afresh
// instead of running a burst of steps.

constexpr double STEP_RATE_LOWEST_DISPLAY = 50.0;   // slower displays step at the fallback
constexpr double STEP_RATE_HIGHEST_DISPLAY = 85.0;  // faster displays step every k-th refresh
constexpr double STEP_RATE_FALLBACK = 60.0;         // refresh unknown, or below the lowest
constexpr int STEP_CLOCK_MAX_CATCH_UP = 3;          // extra steps one late frame may run
// Late by more periods than this, a frame was a stall (a dragged window, a stopped
// process, a tab in the background): one step, and the schedule starts afresh.
constexpr int STEP_CLOCK_STALL_PERIODS = 15;
// The catch-up schedule runs this much slower than the rate, so a display a little
// slower than it reports (59.94 Hz reported as 60) never earns an extra step.
constexpr double STEP_CLOCK_SLACK = 0.01;

// Refreshes per world step on a display of `refreshRate` Hz (0: unknown): k as above,
// 1 for every display up to 85 Hz and for an unknown one.
int RefreshesPerStep(double refreshRate);

// World steps a second on a display of `refreshRate` Hz: refreshRate ÷ k for
// displays from 50 Hz, STEP_RATE_FALLBACK for slower or unknown ones.
double DisplayStepRate(double refreshRate);

// A monotonic clock in nanoseconds; the shells pass the platform's, tests their own.
using StepTimeSource = int64_t (*)();

class StepClock {
public:
    // stepsPerSecond 0: unpaced, every frame runs one step.
    StepClock(StepTimeSource now, double stepsPerSecond);

    // Called once per displayed frame, before its steps: how many world steps it
    // runs. 1 for a frame on time; 0 for a frame that came well before the next
    // step is due (a display faster than the rate); up to 1 + MAX_CATCH_UP for a
    // late one. The first frame after construction or Restart runs one step.
    int StepsForFrame();

    // Forgets the schedule (after a pause): the next frame starts it again.
    void Restart() { started = false; }

    // Another rate from the next frame on (the browser learns its display's rate
    // from the frames themselves).
    void SetRate(double stepsPerSecond);

    double Rate() const { return rate; }
    // Nanoseconds per step at the rate, and per step of the catch-up schedule.
    int64_t Period() const { return period; }
    int64_t SchedulePeriod() const { return schedulePeriod; }

private:
    StepTimeSource now;
    double rate = 0;
    int64_t period = 0;
    int64_t schedulePeriod = 0;
    bool started = false;
    int64_t due = 0;           // when the next step is due
    int64_t lastFrame = 0;     // when the previous frame came
    int64_t frameSpacing = 0;  // the frames' usual spacing
};

// The browser reports no refresh rate: it is measured from the animation frames.
// Feed every frame's time; after REFRESH_SAMPLE_FRAMES intervals the median one
// gives the rate (a hiccup among them does not count).
constexpr int REFRESH_SAMPLE_FRAMES = 31;
class RefreshMeter {
public:
    // Returns true once, on the frame the rate becomes known.
    bool AddFrame(int64_t nowNs);
    // Hz, 0 until known.
    double Rate() const { return rate; }

private:
    int64_t intervals[REFRESH_SAMPLE_FRAMES] = {};
    int count = 0;
    int64_t last = -1;
    double rate = 0;
};
