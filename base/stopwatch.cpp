#include "base/stopwatch.h"

#include <ctime>

namespace {
int64_t ReadCounter() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}
}  // namespace

bool Stopwatch::Start() {
    timespec resolution;
    if (clock_getres(CLOCK_MONOTONIC, &resolution) != 0) return false;
    frequency = 1000000000;  // the counter counts nanoseconds
    startCount = ReadCounter();
    return true;
}

double Stopwatch::Now() const {
    if (frequency == 0) return 0.0;  // never started: every time reads as 0
    return static_cast<double>(ReadCounter() - startCount) / static_cast<double>(frequency);
}

void Stopwatch::Mark(int slot) {
    if (slot < 0 || slot >= MARK_COUNT) return;
    marks[slot] = static_cast<float>(Now());
}

float Stopwatch::Since(int slot) const {
    if (slot < 0 || slot >= MARK_COUNT) return 0.0f;
    return static_cast<float>(Now() - marks[slot]);
}
