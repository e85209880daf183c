#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/controls.h"

// The session so far, kept in memory as a recording's lines, so a game that ends
// with a new best score can be kept as a recording (game/recording.h) that
// replays it from start-up. Run-length coded like the recording: a long session
// is a few kilobytes.
class RunLog {
public:
    void Start(const std::string& edition, uint32_t seed);
    // One world step read the controls `held` (HeldControls).
    void AddStep(uint32_t held);
    uint64_t Steps() const { return steps; }
    // The whole recording up to now, with its end line: the steps so far, the
    // score after the last one and the generator's state then.
    std::string Recording(int32_t score, uint32_t rand) const;

private:
    struct Run {
        uint32_t held;
        long count;
    };
    std::string edition;
    uint32_t seed = 0;
    std::vector<Run> runs;
    uint64_t steps = 0;
};

// Controls that pass another's through and log, at each Poll, what it holds.
class LoggedControls : public Controls {
public:
    LoggedControls(Controls& inner, RunLog& log) : inner(inner), log(log) {}
    void Poll() override;
    bool KeyDown(int slot) const override { return inner.KeyDown(slot); }

private:
    Controls& inner;
    RunLog& log;
};
