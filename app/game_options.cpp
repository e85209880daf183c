#include "app/game_options.h"

#include <string>
#include <utility>

#include "render/draw_backend.h"

std::vector<CommandOption> GameOptionTable(GameOptions& options) {
    // One entry per option; FlagOption, NumberOption, ChoiceOption and TextOption
    // store straight into a field of `options`.
    return {
        ChoiceOption("renderer", "NAME",
                     "fixed (fixed-function OpenGL, the default) or gles2 (OpenGL ES 2 shaders)",
                     {"fixed", "gles2"}, &options.renderer),
    };
}

void SelectRenderer(const GameOptions& options) {
    const DrawBackend* backend = FindDrawBackend(options.renderer.c_str());
    if (backend) SelectDrawBackend(*backend);
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
