#include "tests/sim/trace_run.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "game/input_script.h"
#include "game/random.h"
#include "game/sound_effects.h"
#include "game/world_trace.h"

namespace {

struct SoundCall {
    int slot, note, voice;
};
std::vector<SoundCall> stepSounds;

void RecordSound(int slot, int note, int voice) { stepSounds.push_back({slot, note, voice}); }

}  // namespace

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
    SetUpWorld(edition, seed);
    SetSoundObserver(RecordSound);
    for (uint64_t step = 1; step <= steps; ++step) {
        stepSounds.clear();
        bool running = edition.updateWorld(controls);
        bool last = !running || step == steps;
        if (step % every == 0 || last) {
            TraceLine line;
            line.Key("step").Int(int64_t(step));
            line.Key("running").Bool(running);
            edition.writeState(line);
            line.Key("sounds").BeginArray();
            for (const SoundCall& s : stepSounds)
                line.BeginArray().Int(s.slot).Int(s.note).Int(s.voice).EndArray();
            line.EndArray();
            line.Key("rand").Int(gameRandom.state);
            edition.writeDetail(line, detail);
            trace += line.Finish();
        }
        if (!running) break;
    }
    SetSoundObserver(nullptr);
    return trace;
}
