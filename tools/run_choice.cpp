#include "tools/run_choice.h"

#include <cstdio>
#include <utility>

#include "base/program_name.h"
#include "game/recording.h"

std::vector<CommandOption> RunOptions(RunChoice& run, const char* stepsHelp) {
    std::vector<CommandOption> options = {
        ChoiceOption("edition", "NAME", "current (default) or classic", {"current", "classic"}, &run.edition),
        NumberOption<uint32_t>("seed", "N", "the generator's seed (default 1)", &run.seed, 0, UINT32_MAX),
        NumberOption<uint64_t>("steps", "N", stepsHelp, &run.steps, 0, UINT64_MAX / 2),
        TextOption("input", "FILE", "input script, - for standard input (default: nothing held)",
                   &run.inputPath),
    };
    // A recording brings its own run: note any option that would contradict it.
    for (CommandOption& option : options) {
        auto apply = std::move(option.apply);
        option.apply = [apply, &run](const char* value, std::string& expected) {
            run.runGiven = true;
            return apply(value, expected);
        };
    }
    options.push_back(TextOption("replay", "FILE",
                                 "a game's recording (--record): the edition, seed, steps and controls "
                                 "come from it; - for standard input",
                                 &run.replayPath));
    return options;
}

int LoadRunChoice(RunChoice& run, InputScript& script) {
    std::string error;
    if (!run.replayPath.empty()) {
        if (run.runGiven) {
            return UsageError(
                "--replay takes the edition, seed, steps and controls from the recording; "
                "--edition, --seed, --steps and --input cannot go with it");
        }
        Recording recording;
        if (!LoadRecording(run.replayPath, recording, error)) {
            std::fprintf(stderr, "%s: %s\n", ProgramName(), error.c_str());
            return EXIT_USAGE;
        }
        run.edition = recording.edition;
        run.seed = recording.seed;
        run.steps = recording.steps;
        script = std::move(recording.script);
        return -1;
    }
    if (!run.inputPath.empty() && !LoadInputScript(run.inputPath, script, error)) {
        std::fprintf(stderr, "%s: %s\n", ProgramName(), error.c_str());
        return EXIT_USAGE;
    }
    return -1;
}
