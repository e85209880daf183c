// vortane-sim: runs the world rules headless from a seed and an input script and
// prints the world after the steps as JSON lines, so the rules can be inspected
// and compared byte for byte.
//
//   vortane-sim [--edition current|classic] [--seed N] [--steps N] [--input FILE]
//               [--every K] [--grid] [--sparks]
//   vortane-sim --replay FILE [--every K] [--grid] [--sparks]
//
// --replay takes the edition, seed, step count and controls from a recording the
// game wrote with --record.
//
// Exit status: 0 after the run, 1 when the trace cannot be written, 2 for a bad
// option or input script.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "base/program_name.h"
#include "base/quoted_text.h"
#include "game/edition.h"
#include "game/world_trace.h"
#include "tools/editions.h"
#include "tools/run_choice.h"
#include "tools/trace_steps.h"

namespace {

struct Arguments {
    RunChoice run;
    uint64_t every = 1;
    TraceOptions options;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", ProgramName(), QuoteUnprintable(message).c_str());
    std::exit(EXIT_USAGE);
}

Arguments ParseArguments(int argc, char** argv) {
    Arguments args;
    CommandLine line;
    line.program = "vortane-sim";
    line.usage =
        "[--edition current|classic] [--seed N] [--steps N] [--input FILE]\n"
        "                   [--every K] [--grid] [--sparks]\n"
        "       vortane-sim --replay FILE [--every K] [--grid] [--sparks]";
    line.summary = "Runs the world rules headless and prints the world as JSON lines.";
    line.options = RunOptions(args.run, "world steps to run (default 1000)");
    std::vector<CommandOption> traceOptions = {
        NumberOption<uint64_t>("every", "K", "print every K-th step and the last (default 1)", &args.every, 1,
                               UINT64_MAX / 2),
        FlagOption("grid", "add every grid node's position and velocity", &args.options.grid),
        FlagOption("sparks", "add every live spark", &args.options.sparks),
    };
    line.options.insert(line.options.end(), traceOptions.begin(), traceOptions.end());
    line.notes =
        "Input scripts hold one stretch of steps per line, COUNT [CONTROL ...], with the\n"
        "controls ESC KEY1 KEY2 KEY3 FIRE UP LEFT RIGHT DOWN JRIGHT JLEFT JUP JDOWN JFIRE;\n"
        "'#' starts a comment line. A bad option, script or recording ends with exit\n"
        "status 2.\n";
    std::vector<std::string> operands;
    int exitStatus = 0;
    if (!ParseCommandLine(line, argc, argv, operands, exitStatus)) std::exit(exitStatus);
    return args;
}

const Edition& EditionNamed(const std::string& name) {
    const Edition* edition = FindEdition(name);
    if (!edition) Fail("unknown edition \"" + name + "\" (expected current or classic)");
    return *edition;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args = ParseArguments(argc, argv);
    InputScript script;
    int status = LoadRunChoice(args.run, script);
    if (status >= 0) return status;
    const Edition& edition = EditionNamed(args.run.edition);
    ScriptedControls controls(std::move(script));

    TraceSteps(edition, args.run.seed, args.run.steps, args.every, args.options, controls,
               [](const std::string& line) { std::fwrite(line.data(), 1, line.size(), stdout); });
    if (std::fflush(stdout) != 0) {
        return RunFailure("cannot write the trace");
    }
    return 0;
}
