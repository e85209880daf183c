#pragma once
#include <cstdint>

// Interval marks on the platform's monotonic high-resolution counter, in seconds.
// Marks are floats, so their resolution coarsens as a run grows long. Each slot
// has a single writer; Start must run before any other thread uses the watch.
class Stopwatch {
public:
    static constexpr int MARK_COUNT = 20;

    bool Start();
    void Mark(int slot);
    float Since(int slot) const;

private:
    double Now() const;

    float marks[MARK_COUNT] = {};
    int64_t startCount = 0;
    int64_t frequency = 0;
};
