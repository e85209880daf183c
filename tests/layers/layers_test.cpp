// The layers point one way: the shells (app, web) and the tools above the world,
// the drawing and the synthesizer, all above base; the earlier edition beside the
// current one, used by nothing of the current edition. The CMake targets keep
// most of this (each sees only the layers it links); this reads every include of
// the tree so that SDL, emscripten and a layer reached through another's target
// are caught too.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/files.h"

namespace {

namespace fs = std::filesystem;

struct Include {
    int line;
    std::string path;
};

// Every #include of a source, quoted or angled.
std::vector<Include> IncludesOf(const std::string& text) {
    static const std::regex pattern(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    std::vector<Include> found;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::smatch match;
        if (std::regex_search(line, match, pattern)) found.push_back({number, match[1].str()});
    }
    return found;
}

struct Layer {
    const char* folder;               // a folder, or one file with a layer of its own
    std::vector<std::string> mayUse;  // folders of ours this layer may include
    bool platform;                    // may include SDL or emscripten
};

// The folders of ours an include can name.
const char* const OUR_FOLDERS[] = {"base", "store", "game",    "render", "synth", "shell",
                                   "app",  "web",   "classic", "tools",  "bench", "tests"};

const std::vector<Layer>& Layers() {
    static const std::vector<Layer> layers = {
        {"base", {"base"}, false},
        // What the games keep for the player: formats and files, no SDL (its disk
        // steps and lock are small files per system).
        {"store", {"base", "store"}, false},
        {"synth", {"base", "synth"}, false},
        {"game", {"base", "synth", "game"}, false},
        {"render", {"base", "game", "render"}, false},
        // The start-up and shutdown every host runs, over the platform the host gives.
        {"shell", {"base", "game", "render", "synth", "shell"}, false},
        {"app", {"base", "store", "game", "render", "synth", "shell", "app"}, true},
        {"web", {"base", "store", "game", "render", "synth", "shell", "web"}, true},
        // The earlier edition's desktop program stands on the SDL shell.
        {"classic", {"base", "store", "game", "render", "synth", "app", "classic"}, true},
        // The earlier edition's page: the one file of the browser's shell that is
        // the earlier edition's program, as classic/main.cpp is on the desktop.
        {"web/vortane_classic_web.cpp", {"base", "store", "game", "render", "synth", "web", "classic"}, true},
    };
    return layers;
}

bool IsPlatformHeader(const std::string& path) {
    return path.rfind("SDL", 0) == 0 || path.rfind("emscripten", 0) == 0;
}

// Why `layer` may not include `path`, or "" when it may.
std::string Refusal(const Layer& layer, const std::string& path) {
    if (IsPlatformHeader(path)) return layer.platform ? "" : "the platform is the shell's alone";
    std::string folder = path.substr(0, path.find('/'));
    if (folder == path) return "";  // a system or library header
    bool ours = std::find(std::begin(OUR_FOLDERS), std::end(OUR_FOLDERS), folder) != std::end(OUR_FOLDERS);
    if (!ours) return "";
    bool allowed = std::find(layer.mayUse.begin(), layer.mayUse.end(), folder) != layer.mayUse.end();
    return allowed ? "" : folder + "/ is not below " + layer.folder + "/";
}

const Layer& LayerNamed(const std::string& folder) {
    for (const Layer& layer : Layers())
        if (folder == layer.folder) return layer;
    throw std::runtime_error("no layer " + folder);
}

// Whether one file has a layer of its own, apart from its folder's.
bool HasFileLayer(const std::string& file) {
    for (const Layer& layer : Layers())
        if (file == layer.folder) return true;
    return false;
}

bool IsSource(const fs::path& path) {
    std::string ext = path.extension().string();
    return ext == ".h" || ext == ".cpp" || ext == ".c" || ext == ".inl";
}

}  // namespace

TEST(Layers, EverySourceIncludesOnlyWhatItsLayerMayUse) {
    const fs::path root = VORTANE_SOURCE_DIR;
    std::vector<std::string> wrong;
    int sources = 0;
    for (const Layer& layer : Layers()) {
        if (!fs::is_directory(root / layer.folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / layer.folder)) {
            if (!entry.is_regular_file() || !IsSource(entry.path())) continue;
            std::string file = fs::relative(entry.path(), root).string();
            const Layer& own = HasFileLayer(file) ? LayerNamed(file) : layer;
            sources += 1;
            for (const Include& include : IncludesOf(ReadFile(entry.path().string()))) {
                std::string why = Refusal(own, include.path);
                if (!why.empty()) {
                    wrong.push_back(file + ":" + std::to_string(include.line) + ": " + include.path + " (" +
                                    why + ")");
                }
            }
        }
    }
    EXPECT_GT(sources, 50) << "the layer folders were not found under " << root;
    std::string list;
    for (const std::string& line : wrong) list += "\n  " + line;
    EXPECT_TRUE(wrong.empty()) << "includes against the layers' direction:" << list;
}

struct DirectionCase {
    const char* layer;
    const char* include;
    bool allowed;
};

void PrintTo(const DirectionCase& c, std::ostream* out) {
    *out << c.layer << " -> " << c.include << (c.allowed ? " allowed" : " refused");
}

class LayerRule : public ::testing::TestWithParam<DirectionCase> {};

TEST_P(LayerRule, AllowsOnlyDownwardIncludes) {
    const DirectionCase& c = GetParam();
    EXPECT_EQ(Refusal(LayerNamed(c.layer), c.include).empty(), c.allowed) << c.layer << " -> " << c.include;
}

INSTANTIATE_TEST_SUITE_P(
    Directions, LayerRule,
    ::testing::Values(
        // Below the shell: no shell, no platform, no tools, no earlier edition.
        DirectionCase{"game", "app/window.h", false}, DirectionCase{"game", "SDL2/SDL.h", false},
        DirectionCase{"game", "tools/trace_writer.h", false}, DirectionCase{"game", "classic/world.h", false},
        DirectionCase{"render", "app/input_devices.h", false},
        DirectionCase{"render", "SDL2/SDL_opengl.h", false},
        DirectionCase{"render", "tools/gl_context.h", false},
        DirectionCase{"render", "classic/scene.h", false}, DirectionCase{"synth", "app/run_game.h", false},
        DirectionCase{"synth", "SDL.h", false}, DirectionCase{"synth", "tools/zonder.h", false},
        DirectionCase{"synth", "game/world.h", false}, DirectionCase{"base", "game/vector3.h", false},
        DirectionCase{"base", "emscripten/emscripten.h", false}, DirectionCase{"store", "SDL2/SDL.h", false},
        DirectionCase{"store", "game/world.h", false}, DirectionCase{"game", "store/settings.h", false},
        DirectionCase{"app", "store/settings.h", true},
        // The start-up every host shares knows no host: no SDL, no page, no shell's files.
        DirectionCase{"shell", "SDL2/SDL.h", false}, DirectionCase{"shell", "emscripten/html5.h", false},
        DirectionCase{"shell", "app/window.h", false}, DirectionCase{"shell", "web/web_shell.h", false},
        DirectionCase{"app", "shell/start_up.h", true}, DirectionCase{"web", "shell/platform.h", true},
        // The shells use everything below them but not the earlier edition.
        DirectionCase{"app", "classic/startup.h", false}, DirectionCase{"app", "tools/editions.h", false},
        DirectionCase{"web", "classic/world.h", false},
        // The earlier edition uses the browser's shell only from its page, in web/.
        DirectionCase{"classic", "web/web_shell.h", false},
        DirectionCase{"web/vortane_classic_web.cpp", "classic/edition.h", true},
        // The earlier edition stands on the shared layers and the shell, not the tools.
        DirectionCase{"classic", "tools/sim_edition.h", false},
        // What is allowed.
        DirectionCase{"game", "synth/voices.h", true}, DirectionCase{"game", "base/log.h", true},
        DirectionCase{"render", "game/world.h", true}, DirectionCase{"synth", "portaudio.h", true},
        DirectionCase{"render", "GL/gl.h", true}, DirectionCase{"app", "SDL2/SDL.h", true},
        DirectionCase{"app", "render/scene.h", true}, DirectionCase{"classic", "app/run_game.h", true},
        DirectionCase{"classic", "SDL2/SDL.h", true}, DirectionCase{"classic", "game/grid.h", true}));

TEST(Layers, IncludeLinesAreReadInEveryForm) {
    std::vector<Include> found = IncludesOf(
        "#include \"app/log.h\"\n"
        "  #  include <SDL2/SDL.h>\n"
        "// #include is mentioned in a comment\n"
        "#include<tools/x.h>\n");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].path, "app/log.h");
    EXPECT_EQ(found[1].line, 2);
    EXPECT_EQ(found[1].path, "SDL2/SDL.h");
    EXPECT_EQ(found[2].path, "tools/x.h");
}
