// vortane-shot: runs the world like vortane-sim, then draws one frame with the
// edition's own DrawScene into an off-screen GL framebuffer and writes it as a PNG
// (800 × 600 for the current edition, 1024 × 768 for the earlier one). With
// --replay the edition, seed, steps and controls come from a game's recording, so
// the picture shows the world as the recording left it.

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/data_dir.h"
#include "app/desktop_draw_backends.h"
#include "base/command_line.h"
#include "base/program_name.h"
#include "game/edition.h"
#include "render/draw_backend.h"
#include "tools/edition_frame.h"
#include "tools/editions.h"
#include "tools/png_frame.h"
#include "tools/run_choice.h"

namespace {

struct Options {
    RunChoice run;
    std::string data;  // empty: the games' own data folder search
    std::string out;
    std::string renderer = "fixed";
};

// Returns -1 when the options are good, otherwise the exit status.
int ParseOptions(int argc, char** argv, Options& options) {
    CommandLine line;
    line.program = "vortane-shot";
    line.usage =
        "[--edition current|classic] [--seed N] [--steps N] [--input FILE]\n"
        "                    [--data DIR] [--renderer fixed|gles2] --out FILE.png\n"
        "       vortane-shot --replay FILE [--data DIR] [--renderer fixed|gles2] --out FILE.png";
    line.summary =
        "Runs the world like vortane-sim, then draws one frame with the edition's own\n"
        "scene drawing and writes it as an RGB PNG. Needs an X display.";
    line.options = RunOptions(options.run, "world steps before the frame (default 1000)");
    std::vector<CommandOption> drawOptions = {
        TextOption("data", "DIR", "the pictures' folder (default: found as the games find it)",
                   &options.data),
        {"renderer", 0, "NAME", "the drawing back-end: fixed (default) or gles2",
         [&options](const char* text, std::string& expected) {
             expected = "fixed or gles2";
             if (!FindDrawBackend(text)) return false;
             options.renderer = text;
             return true;
         }},
        TextOption("out", "FILE.png", "where the picture goes, - for standard output (required)",
                   &options.out),
    };
    line.options.insert(line.options.end(), drawOptions.begin(), drawOptions.end());
    std::vector<std::string> operands;
    int exitStatus = 0;
    if (!ParseCommandLine(line, argc, argv, operands, exitStatus)) return exitStatus;
    if (options.out.empty()) return UsageError("--out FILE.png is required");
    return -1;
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

int main(int argc, char** argv) {
    RegisterDesktopDrawBackends();
    Options options;
    int status = ParseOptions(argc, argv, options);
    if (status >= 0) return status;

    InputScript script;
    status = LoadRunChoice(options.run, script);
    if (status >= 0) return status;
    const Edition& edition = *FindEdition(options.run.edition);
    std::string dataDir = options.data.empty() ? DataDir(EditionDataMarker(edition.name)) : options.data;
    if (dataDir.back() != '/') dataDir += '/';
    if (!options.data.empty() && !IsFolder(dataDir)) {
        // The game runs without its pictures too: every sprite becomes a flat square.
        std::fprintf(stderr, "%s: warning: no data folder \"%s\"; drawing untextured\n", ProgramName(),
                     options.data.c_str());
    }

    SelectDrawBackend(*FindDrawBackend(options.renderer.c_str()));
    SetUpWorld(edition, options.run.seed);
    ScriptedControls controls(std::move(script));
    for (uint64_t step = 0; step < options.run.steps; ++step) {
        if (!edition.updateWorld(controls)) break;
    }

    std::vector<uint8_t> frame;
    std::string error;
    if (!DrawEditionFrame(edition, dataDir, frame, error)) {
        return RunFailure(error);
    }
    if (!WritePngRGB(options.out, frame, edition.width, edition.height, error)) {
        return RunFailure(error);
    }
    return 0;
}
