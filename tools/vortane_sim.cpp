// vortane-sim: runs the world rules headless from a seed and an input script and
// prints the world after the steps as JSON lines, so the rules can be inspected
// and compared byte for byte.
//
//   vortane-sim [--edition current|classic] [--seed N] [--steps N] [--input FILE]
//               [--every K] [--grid] [--sparks]
//
// Exit status: 0 after the run, 2 for a bad option or input script.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/random.h"
#include "tools/input_script.h"
#include "tools/sim_classic.h"
#include "tools/sim_edition.h"

namespace {

const int EXIT_USAGE = 2;

struct EditionEntry {
    const char* name;
    const SimEdition* edition;
};

const EditionEntry EDITIONS[] = {
    {"current", &currentSimEdition},
    {"classic", &classicSimEdition},
};

struct Arguments {
    std::string edition = "current";
    uint32_t seed = 1;
    uint64_t steps = 1000;
    uint64_t every = 1;
    std::string inputPath;
    SimOptions options;
};

const char* USAGE =
    "usage: vortane-sim [--edition current|classic] [--seed N] [--steps N] [--input FILE]\n"
    "                   [--every K] [--grid] [--sparks]\n";

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "vortane-sim: %s\n", message.c_str());
    std::exit(EXIT_USAGE);
}

// Plain decimal digits only, within `max`.
uint64_t ParseNumber(const char* option, const char* text, uint64_t min, uint64_t max) {
    const char* p = text;
    uint64_t value = 0;
    bool ok = *p != '\0' && std::strlen(p) <= 20;
    for (; ok && *p; ++p) {
        if (*p < '0' || *p > '9')
            ok = false;
        else if (value > (max - (*p - '0')) / 10)
            ok = false;
        else
            value = value * 10 + (*p - '0');
    }
    if (!ok || value < min) {
        Fail(std::string("bad value \"") + text + "\" for " + option + " (expected a whole number from " +
             std::to_string(min) + " to " + std::to_string(max) + ")");
    }
    return value;
}

Arguments ParseArguments(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::fputs(USAGE, stdout);
            std::exit(0);
        }
        if (option == "--grid") {
            args.options.grid = true;
            continue;
        }
        if (option == "--sparks") {
            args.options.sparks = true;
            continue;
        }
        bool takesValue = option == "--edition" || option == "--seed" || option == "--steps" ||
                          option == "--input" || option == "--every";
        if (!takesValue) Fail("unknown option \"" + option + "\"\n" + USAGE);
        if (i + 1 >= argc) Fail(option + " needs a value");
        const char* value = argv[++i];
        if (option == "--edition") args.edition = value;
        if (option == "--seed")
            args.seed = static_cast<uint32_t>(ParseNumber("--seed", value, 0, UINT32_MAX));
        if (option == "--steps") args.steps = ParseNumber("--steps", value, 0, UINT64_MAX / 2);
        if (option == "--every") args.every = ParseNumber("--every", value, 1, UINT64_MAX / 2);
        if (option == "--input") args.inputPath = value;
    }
    return args;
}

const SimEdition& FindEdition(const std::string& name) {
    for (const EditionEntry& entry : EDITIONS) {
        if (name != entry.name) continue;
        return *entry.edition;
    }
    Fail("unknown edition \"" + name + "\" (expected current or classic)");
}

struct SoundCall {
    int slot, note, voice;
};
std::vector<SoundCall> stepSounds;

void RecordSound(int slot, int note, int voice) { stepSounds.push_back({slot, note, voice}); }

std::string TraceStep(const SimEdition& edition, uint64_t step, bool running, const SimOptions& options) {
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

int main(int argc, char** argv) {
    Arguments args = ParseArguments(argc, argv);
    const SimEdition& edition = FindEdition(args.edition);
    InputScript script;
    std::string error;
    if (!args.inputPath.empty() && !LoadInputScript(args.inputPath, script, error)) Fail(error);
    ScriptedControls controls(std::move(script));

    edition.setUp(args.seed);
    edition.observeSounds(RecordSound);
    for (uint64_t step = 1; step <= args.steps; ++step) {
        stepSounds.clear();
        bool running = edition.step(controls);
        bool last = !running || step == args.steps;
        if (step % args.every == 0 || last) {
            std::string text = TraceStep(edition, step, running, args.options);
            std::fwrite(text.data(), 1, text.size(), stdout);
        }
        if (!running) break;
    }
    edition.observeSounds(nullptr);
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "vortane-sim: cannot write the trace\n");
        return 1;
    }
    return 0;
}
