#pragma once
// The invariants of a long run, checked on every line of a vortane-sim trace.
// JSON has no infinities or NaN: the simulator writes a non-finite double as
// null, so "no null anywhere" is the finiteness check of every position,
// velocity, direction, colour and scale in the line.
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/soak/trace_json.h"

struct SoakStats {
    uint64_t lines = 0;
    uint64_t deaths = 0;
    uint64_t restarts = 0;
    uint64_t shotSounds = 0;
    uint64_t explodeSounds = 0;
    int64_t maxScore = 0;
    int64_t maxLevel = 0;
    uint32_t maxShots = 0;
    uint32_t maxEntities = 0;
    uint32_t maxShockwaves = 0;
    int64_t maxSparks = 0;
    uint64_t gridSamples = 0;  // lines that carried every grid node
};

class TraceChecker {
public:
    // `every`: the step distance between lines (--every). Score and lives are
    // followed from line to line only when every step is seen.
    // `sparkCapacity`: the edition's spark table (the earlier edition has 1000).
    explicit TraceChecker(uint64_t every = 1, int64_t sparkCapacity = 2000)
        : every_(every), sparkCapacity_(sparkCapacity) {}

    // Checks one line; false when an invariant is broken, Error() saying which.
    bool Line(std::string_view text);
    const std::string& Error() const { return error_; }
    const SoakStats& Stats() const { return stats_; }

private:
    bool Fail(const std::string& what);
    bool CheckPlayer();
    bool CheckShots();
    bool CheckEntities();
    bool CheckShockwaves();
    bool CheckSparksAndSounds();
    bool CheckDetail();
    bool CheckProgress();
    // The integer member `name`, within [low, high]; absent members pass when
    // `optional` (the editions trace slightly different fields).
    bool Range(const char* name, int64_t low, int64_t high, int64_t* value, bool optional = false);
    bool NoNull(uint32_t node, const char* where);

    uint64_t every_;
    int64_t sparkCapacity_;
    JsonLine json_;
    std::string error_;
    SoakStats stats_;
    bool havePrevious_ = false;
    int64_t step_ = 0, score_ = 0, lives_ = 0, level_ = 0;
    int64_t previousStep_ = 0, previousScore_ = 0, previousLives_ = 0, previousLevel_ = 0;
};
