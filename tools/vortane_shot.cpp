// vortane-shot: runs the world like vortane-sim, then draws one frame with the
// edition's own DrawScene into an off-screen GL framebuffer and writes it as a PNG
// (800 × 600 for the current edition, 1024 × 768 for the earlier one).

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/controls.h"
#include "game/update.h"
#include "render/draw_backend.h"
#include "render/scene.h"
#include "render/textures.h"
#include "tools/gl_context.h"
#include "tools/input_script.h"
#include "tools/png_frame.h"
#include "tools/sim_setup.h"
#ifdef VORTANE_HAVE_CLASSIC
#include "classic/setup.h"
#include "classic/update.h"
#include "tools/shot_classic.h"
#endif

namespace {

constexpr int EXIT_USAGE = 2;
constexpr int FRAME_WIDTH = 800;
constexpr int FRAME_HEIGHT = 600;

// The current edition's frame: the game's view and textures, one DrawScene, read back.
bool DrawCurrentFrame(const std::string& dataDir, std::vector<uint8_t>& rgb, std::string& error) {
    OffscreenGL gl;
    if (!gl.Open(FRAME_WIDTH, FRAME_HEIGHT, error)) return false;
    SetUpGameView(FRAME_WIDTH, FRAME_HEIGHT);
    cameraPos = Vector3(0, 0, 40);
    LoadGameTextures(dataDir);
    DrawScene();
    rgb = gl.ReadRGB();
    ReleaseTextures();
    gl.Close();
    return true;
}

// What the tool needs of one edition: its world set-up and step as vortane-sim
// runs them, and its frame.
struct ShotEdition {
    const char* name;
    void (*setUp)(uint32_t seed);
    bool (*step)(Controls& input);
    bool (*drawFrame)(const std::string& dataDir, std::vector<uint8_t>& rgb, std::string& error);
    int width, height;
};

const ShotEdition EDITIONS[] = {
    {"current", SetUpWorld, UpdateWorld, DrawCurrentFrame, FRAME_WIDTH, FRAME_HEIGHT},
#ifdef VORTANE_HAVE_CLASSIC
    {"classic", classic::SetUpWorld, classic::UpdateWorld, classic::DrawFrame, classic::FRAME_WIDTH,
     classic::FRAME_HEIGHT},
#endif
};

const ShotEdition* FindEdition(const std::string& name) {
    for (const ShotEdition& edition : EDITIONS) {
        if (name == edition.name) return &edition;
    }
    return nullptr;
}

const char* const USAGE =
    "usage: vortane-shot [--edition current|classic] [--seed N] [--steps N] [--input FILE]\n"
    "                    [--data DIR] [--renderer fixed|gles2] --out FILE.png\n";

struct Options {
    std::string edition = "current";
    uint32_t seed = 1;
    long steps = 1000;
    std::string input;
    std::string data = "./data";
    std::string out;
    std::string renderer = "fixed";
};

int UsageError(const std::string& message) {
    std::fprintf(stderr, "vortane-shot: %s\n%s", message.c_str(), USAGE);
    return EXIT_USAGE;
}

// A whole decimal number in 0..maximum; nothing else (no sign, no spaces, no suffix).
bool ParseCount(const std::string& text, unsigned long long maximum, unsigned long long& value) {
    if (text.empty() || text.size() > 20) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtoull(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value <= maximum;
}

// Returns -1 when the options are good, otherwise the exit status.
int ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if (name != "--edition" && name != "--seed" && name != "--steps" && name != "--input" &&
            name != "--data" && name != "--out" && name != "--renderer") {
            return UsageError("unknown argument \"" + name + "\"");
        }
        if (i + 1 >= argc) return UsageError(name + " needs a value");
        std::string value = argv[++i];
        unsigned long long number = 0;
        if (name == "--edition") {
            if (value != "current" && value != "classic") {
                return UsageError("--edition must be current or classic, not \"" + value + "\"");
            }
            options.edition = value;
        } else if (name == "--seed") {
            if (!ParseCount(value, 0xFFFFFFFFull, number)) {
                return UsageError("--seed must be a whole number from 0 to 4294967295, not \"" + value +
                                  "\"");
            }
            options.seed = uint32_t(number);
        } else if (name == "--steps") {
            if (!ParseCount(value, 1000000000ull, number)) {
                return UsageError("--steps must be a whole number from 0 to 1000000000, not \"" + value +
                                  "\"");
            }
            options.steps = long(number);
        } else if (name == "--renderer") {
            if (!FindDrawBackend(value.c_str())) {
                return UsageError("--renderer must be fixed or gles2, not \"" + value + "\"");
            }
            options.renderer = value;
        } else if (name == "--input") {
            options.input = value;
        } else if (name == "--data") {
            if (value.empty()) return UsageError("--data needs a folder");
            options.data = value;
        } else {
            if (value.empty()) return UsageError("--out needs a file name");
            options.out = value;
        }
    }
    if (options.out.empty()) return UsageError("--out FILE.png is required");
    if (!FindEdition(options.edition)) {
        return UsageError("--edition " + options.edition +
                          " is not available: the earlier edition is not built");
    }
    return -1;
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    int status = ParseOptions(argc, argv, options);
    if (status >= 0) return status;

    InputScript script;
    if (!options.input.empty()) {
        std::string error;
        if (!LoadInputScript(options.input, script, error)) {
            std::fprintf(stderr, "vortane-shot: %s\n", error.c_str());
            return EXIT_USAGE;
        }
    }
    std::string dataDir = options.data;
    if (dataDir.back() != '/') dataDir += '/';
    if (!IsFolder(dataDir)) {
        // The game runs without its pictures too: every sprite becomes a flat square.
        std::fprintf(stderr, "vortane-shot: warning: no data folder \"%s\"; drawing untextured\n",
                     options.data.c_str());
    }

    SelectDrawBackend(*FindDrawBackend(options.renderer.c_str()));
    const ShotEdition& edition = *FindEdition(options.edition);
    edition.setUp(options.seed);
    ScriptedControls controls(std::move(script));
    for (long step = 0; step < options.steps; ++step) {
        if (!edition.step(controls)) break;
    }

    std::vector<uint8_t> frame;
    std::string error;
    if (!edition.drawFrame(dataDir, frame, error)) {
        std::fprintf(stderr, "vortane-shot: %s\n", error.c_str());
        return 1;
    }
    if (!WritePngRGB(options.out, frame, edition.width, edition.height, error)) {
        std::fprintf(stderr, "vortane-shot: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
