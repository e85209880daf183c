#include "app/game_options.h"

#include <cstdlib>
#include <string>
#include <utility>

#include "app/desktop_draw_backends.h"
#include "render/draw_backend.h"

std::vector<CommandOption> GameOptionTable(GameOptions& options) {
    return {
        ChoiceOption("renderer", "NAME",
                     "fixed (fixed-function OpenGL, the default) or gles2 (OpenGL ES 2 shaders)",
                     {"fixed", "gles2"}, &options.renderer),
        {"fps", 0, "N",
         "N frames (world steps) a second, 0 unpaced; without it the game keeps to the display's refresh "
         "(also VORTANE_FPS=N)",
         [&options](const char* text, std::string& expected) {
             expected = "a whole number from 0 to " + std::to_string(MAX_FPS);
             if (!ParseFps(text, options.fps)) return false;
             options.fpsGiven = true;
             return true;
         }},
        FlagOption("pause-unfocused", "pause while the window has no keyboard focus (P pauses anyway)",
                   &options.pauseUnfocused),
        TextOption(
            "record", "FILE",
            "write the session to FILE as a recording (vortane-sim --replay plays it), - for standard output",
            &options.recordPath),
        TextOption("replay", "FILE",
                   "show a recording in the window (Escape ends it), - for standard input, best for the "
                   "kept best game",
                   &options.replayPath),
        FlagOption("no-save",
                   "keep nothing: no settings, scores or best game read or written (also "
                   "VORTANE_NO_SAVE=1)",
                   &options.noSave),
    };
}

void SelectRenderer(const GameOptions& options) {
    RegisterDesktopDrawBackends();
    const DrawBackend* backend = FindDrawBackend(options.renderer.c_str());
    if (backend) SelectDrawBackend(*backend);
}

CommandOption FullscreenOption(GameOptions& options) {
    return FlagOption("fullscreen", "start in borderless full screen (F11 or Alt+Enter toggles it)",
                      &options.fullscreen);
}

CommandOption WindowOption(GameOptions& options) {
    return FlagOption("window", "play in a window instead of switching the display mode", &options.window);
}

bool ParseGameCommandLine(const char* program, const char* summary, const char* keys,
                          std::vector<CommandOption> options, GameOptions& chosen, int argc, char** argv,
                          int& exitStatus) {
    CommandLine line;
    line.program = program;
    line.usage = "[OPTION]...";
    line.summary = summary;
    line.options = std::move(options);
    line.notes = keys;
    std::vector<std::string> operands;
    if (!ParseCommandLine(line, argc, argv, operands, exitStatus)) return false;
    if (!chosen.recordPath.empty() && !chosen.replayPath.empty()) {
        exitStatus = UsageError("--record and --replay cannot be combined");
        return false;
    }
    const char* fromEnvironment = std::getenv("VORTANE_FPS");
    if (!chosen.fpsGiven && fromEnvironment && *fromEnvironment && !ParseFps(fromEnvironment, chosen.fps)) {
        exitStatus = UsageError(std::string("bad value \"") + fromEnvironment +
                                "\" for VORTANE_FPS (expected a whole number from 0 to " +
                                std::to_string(MAX_FPS) + ")");
        return false;
    }
    return true;
}
