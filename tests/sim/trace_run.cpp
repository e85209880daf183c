#include "tests/sim/trace_run.h"

#include <gtest/gtest.h>

#include <sstream>

#include "game/input_script.h"
#include "game/world_trace.h"
#include "tools/trace_steps.h"

std::string RunTrace(const Edition& edition, const std::string& options, const std::string& dir) {
    std::istringstream words(options);
    std::string word, editionName = edition.name, inputPath;
    uint32_t seed = 1;
    uint64_t steps = 1000, every = 1;
    TraceOptions detail;
    while (words >> word) {
        if (word == "--grid") {
            detail.grid = true;
            continue;
        }
        if (word == "--sparks") {
            detail.sparks = true;
            continue;
        }
        std::string value;
        if (!(words >> value)) {
            ADD_FAILURE() << word << " needs a value";
            return "";
        }
        if (word == "--edition")
            editionName = value;
        else if (word == "--seed")
            seed = uint32_t(std::stoul(value));
        else if (word == "--steps")
            steps = std::stoull(value);
        else if (word == "--every")
            every = std::stoull(value);
        else if (word == "--input")
            inputPath = dir + "/" + value;
        else {
            ADD_FAILURE() << "unknown option " << word;
            return "";
        }
    }
    EXPECT_EQ(editionName, edition.name);
    InputScript script;
    std::string error;
    if (!inputPath.empty() && !LoadInputScript(inputPath, script, error)) {
        ADD_FAILURE() << error;
        return "";
    }
    ScriptedControls controls(std::move(script));

    std::string trace;
    TraceSteps(edition, seed, steps, every, detail, controls,
               [&](const std::string& line) { trace += line; });
    return trace;
}
