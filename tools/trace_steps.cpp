#include "tools/trace_steps.h"

#include <vector>

#include "base/trace_line.h"
#include "game/random.h"
#include "game/sound_effects.h"

namespace {

struct SoundCall {
    int slot, note, voice;
};
std::vector<SoundCall> stepSounds;

void RecordSound(int slot, int note, int voice) { stepSounds.push_back({slot, note, voice}); }

std::string TraceStep(const Edition& edition, uint64_t step, bool running, const TraceOptions& options) {
    TraceLine line;
    line.Key("step").Int(static_cast<int64_t>(step));
    line.Key("running").Bool(running);
    edition.writeState(line);
    line.Key("sounds").BeginArray();
    for (const SoundCall& s : stepSounds) line.BeginArray().Int(s.slot).Int(s.note).Int(s.voice).EndArray();
    line.EndArray();
    line.Key("rand").Int(gameRandom.state);
    edition.writeDetail(line, options);
    return line.Finish();
}

}  // namespace

void TraceSteps(const Edition& edition, uint32_t seed, uint64_t steps, uint64_t every,
                const TraceOptions& options, Controls& controls,
                const std::function<void(const std::string& line)>& emit) {
    SetUpWorld(edition, seed);
    SetSoundObserver(RecordSound);
    for (uint64_t step = 1; step <= steps; ++step) {
        stepSounds.clear();
        bool running = edition.updateWorld(controls);
        bool last = !running || step == steps;
        if (step % every == 0 || last) emit(TraceStep(edition, step, running, options));
        if (!running) break;
    }
    SetSoundObserver(nullptr);
}
