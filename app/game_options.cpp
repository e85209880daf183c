#include "app/game_options.h"

#include <string>
#include <utility>

std::vector<CommandOption> GameOptionTable(GameOptions& options) {
    (void)options;
    // One entry per option; FlagOption, NumberOption, ChoiceOption and TextOption
    // store straight into a field of `options`.
    return {};
}

bool ParseGameCommandLine(const char* program, const char* summary, const char* keys,
                          std::vector<CommandOption> options, int argc, char** argv, int& exitStatus) {
    CommandLine line;
    line.program = program;
    line.usage = "[OPTION]...";
    line.summary = summary;
    line.options = std::move(options);
    line.notes = keys;
    std::vector<std::string> operands;
    return ParseCommandLine(line, argc, argv, operands, exitStatus);
}
