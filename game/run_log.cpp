#include "game/run_log.h"

#include "game/input_script.h"
#include "game/recording.h"

void RunLog::Start(const std::string& edition_, uint32_t seed_) {
    edition = edition_;
    seed = seed_;
    runs.clear();
    steps = 0;
}

void RunLog::AddStep(uint32_t held) {
    if (!runs.empty() && runs.back().held == held && runs.back().count < INPUT_SCRIPT_MAX_COUNT) {
        runs.back().count += 1;
    } else {
        runs.push_back({held, 1});
    }
    steps += 1;
}

std::string RunLog::Recording(int32_t score, uint32_t rand) const {
    std::string text =
        "# vortane recording\n# edition " + edition + "\n# seed " + std::to_string(seed) + "\n";
    for (const Run& run : runs) {
        text += std::to_string(run.count);
        for (int i = 0; i < INPUT_CONTROL_COUNT; ++i) {
            if (run.held & (1u << i)) {
                text += ' ';
                text += INPUT_CONTROLS[i].name;
            }
        }
        text += '\n';
    }
    text += "# end steps " + std::to_string(steps) + " score " + std::to_string(score) + " rand " +
            std::to_string(rand) + "\n";
    return text;
}

void LoggedControls::Poll() {
    inner.Poll();
    log.AddStep(HeldControls(inner));
}
