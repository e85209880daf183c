#include "tests/classic/trace_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <vector>

#include "classic/edition.h"
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

std::string RunClassicTrace(const std::string& options, const std::string& dir) {
    std::istringstream words(options);
    std::string word, edition = "current", inputPath;
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
            edition = value;
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
    EXPECT_EQ(edition, "classic");
    InputScript script;
    std::string error;
    if (!inputPath.empty() && !LoadInputScript(inputPath, script, error)) {
        ADD_FAILURE() << error;
        return "";
    }
    ScriptedControls controls(std::move(script));

    const Edition& sim = classic::edition;
    std::string trace;
    SetUpWorld(sim, seed);
    SetSoundObserver(RecordSound);
    for (uint64_t step = 1; step <= steps; ++step) {
        stepSounds.clear();
        bool running = sim.updateWorld(controls);
        bool last = !running || step == steps;
        if (step % every == 0 || last) {
            TraceLine line;
            line.Key("step").Int(int64_t(step));
            line.Key("running").Bool(running);
            sim.writeState(line);
            line.Key("sounds").BeginArray();
            for (const SoundCall& s : stepSounds)
                line.BeginArray().Int(s.slot).Int(s.note).Int(s.voice).EndArray();
            line.EndArray();
            line.Key("rand").Int(gameRandom.state);
            sim.writeDetail(line, detail);
            trace += line.Finish();
        }
        if (!running) break;
    }
    SetSoundObserver(nullptr);
    return trace;
}

int RunSimulatorBinary(const std::string& options, const std::string& dir, std::string& out) {
    std::string command = "cd '" + dir + "' && '" VORTANE_RUN_DIR "/vortane-sim' " + options + " 2>/dev/null";
    out.clear();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
