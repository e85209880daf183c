// The layers point one way: the editions' programs above the shells (app, web),
// the tools and benchmarks above the editions, the two editions (current, classic)
// side by side above the shared world, drawing and synthesizer, all above base.
// The shared layers name neither edition; SDL, emscripten and app/ are the shells'
// and the programs' entry points' alone. The CMake targets keep most of this (each
// sees only the layers it links); this reads every include of every folder so that
// SDL, emscripten and a layer reached through another's target are caught too.
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
const char* const OUR_FOLDERS[] = {"base", "store",   "game",    "render", "synth", "shell", "app",
                                   "web",  "current", "classic", "tools",  "bench", "tests"};

// Folders of sources that are no layer: the tests reach every layer they test.
const char* const NOT_LAYERS[] = {"tests"};

const std::vector<Layer>& Layers() {
    static const std::vector<Layer> layers = {
        {"base", {"base"}, false},
        // What the games keep for the player: formats and files, no SDL (its disk
        // steps and lock are small files per system).
        {"store", {"base", "store"}, false},
        {"synth", {"base", "synth"}, false},
        // The shared layers: what both editions use, naming neither.
        {"game", {"base", "synth", "game"}, false},
        {"render", {"base", "game", "render"}, false},
        // Each edition: its rules, tables, trace, scene and descriptor over the
        // shared layers, with no platform, so the headless tools can run it.
        {"current", {"base", "game", "render", "synth", "current"}, false},
        {"classic", {"base", "game", "render", "synth", "classic"}, false},
        // The start-up and shutdown every host runs, over the platform the host gives.
        {"shell", {"base", "game", "render", "synth", "shell"}, false},
        // The shells run whichever edition they are given.
        {"app", {"base", "store", "game", "render", "synth", "shell", "app"}, true},
        {"web", {"base", "store", "game", "render", "synth", "shell", "web"}, true},
        // The programs' entry points: each edition on a shell.
        {"current/main.cpp", {"base", "store", "game", "render", "synth", "shell", "app", "current"}, true},
        {"classic/main.cpp", {"base", "store", "game", "render", "synth", "shell", "app", "classic"}, true},
        {"web/vortane_web.cpp",
         {"base", "store", "game", "render", "synth", "shell", "web", "current"},
         true},
        {"web/vortane_classic_web.cpp",
         {"base", "store", "game", "render", "synth", "shell", "web", "classic"},
         true},
        // The tools and benchmarks run both editions headless; only the programs
        // that draw a frame need the shell's off-screen window.
        {"tools", {"base", "store", "game", "render", "synth", "current", "classic", "tools"}, false},
        {"tools/vortane_shot.cpp",
         {"base", "store", "game", "render", "synth", "current", "classic", "tools", "app"},
         false},
        {"bench",
         {"base", "store", "game", "render", "synth", "current", "classic", "tools", "bench"},
         false},
        {"bench/frame_bench.cpp",
         {"base", "store", "game", "render", "synth", "current", "classic", "tools", "bench", "app"},
         false},
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
    EXPECT_GT(sources, 300) << "the layer folders were not found under " << root;
    std::string list;
    for (const std::string& line : wrong) list += "\n  " + line;
    EXPECT_TRUE(wrong.empty()) << "includes against the layers' direction:" << list;
}

// A folder of the tree that holds sources, not counting a build folder in it.
bool HoldsSources(const fs::path& folder) {
    if (fs::exists(folder / "CMakeCache.txt")) return false;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && IsSource(entry.path())) return true;
    }
    return false;
}

TEST(Layers, EveryFolderOfSourcesIsALayer) {
    const fs::path root = VORTANE_SOURCE_DIR;
    std::vector<std::string> missing;
    for (const auto& entry : fs::directory_iterator(root)) {
        std::string name = entry.path().filename().string();
        if (!entry.is_directory() || name[0] == '.') continue;
        // Build folders (ignored by git as /build*), such as the package check's
        // two builds side by side, are not the tree's sources.
        if (name.rfind("build", 0) == 0) continue;
        if (std::find(std::begin(NOT_LAYERS), std::end(NOT_LAYERS), name) != std::end(NOT_LAYERS)) continue;
        bool layer =
            std::any_of(Layers().begin(), Layers().end(), [&](const Layer& l) { return name == l.folder; });
        if (!layer && HoldsSources(entry.path())) missing.push_back(name);
    }
    std::string list;
    for (const std::string& name : missing) list += " " + name + "/";
    EXPECT_TRUE(missing.empty()) << "folders of sources that no layer checks:" << list;
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
        // Below the shell: no shell, no platform, no tools, no edition.
        DirectionCase{"game", "app/window.h", false}, DirectionCase{"game", "SDL2/SDL.h", false},
        DirectionCase{"game", "tools/trace_writer.h", false}, DirectionCase{"game", "classic/world.h", false},
        DirectionCase{"game", "current/world.h", false},
        DirectionCase{"render", "app/input_devices.h", false},
        DirectionCase{"render", "SDL2/SDL_opengl.h", false},
        DirectionCase{"render", "tools/editions.h", false}, DirectionCase{"render", "classic/scene.h", false},
        DirectionCase{"render", "current/scene.h", false}, DirectionCase{"synth", "app/run_game.h", false},
        DirectionCase{"synth", "SDL.h", false}, DirectionCase{"synth", "tools/zonder.h", false},
        DirectionCase{"synth", "current/world.h", false}, DirectionCase{"base", "game/vector3.h", false},
        DirectionCase{"base", "emscripten/emscripten.h", false},
        DirectionCase{"base", "classic/world.h", false}, DirectionCase{"store", "SDL2/SDL.h", false},
        DirectionCase{"store", "current/world.h", false}, DirectionCase{"game", "store/settings.h", false},
        DirectionCase{"app", "store/settings.h", true},
        // The start-up every host shares knows no host and no edition: no SDL, no
        // page, no shell's files.
        DirectionCase{"shell", "SDL2/SDL.h", false}, DirectionCase{"shell", "emscripten/html5.h", false},
        DirectionCase{"shell", "app/window.h", false}, DirectionCase{"shell", "web/web_shell.h", false},
        DirectionCase{"shell", "current/edition.h", false}, DirectionCase{"app", "shell/start_up.h", true},
        DirectionCase{"web", "shell/platform.h", true},
        // The shells run an edition they are given, naming neither.
        DirectionCase{"app", "classic/startup.h", false}, DirectionCase{"app", "current/edition.h", false},
        DirectionCase{"app", "tools/editions.h", false}, DirectionCase{"web", "classic/world.h", false},
        DirectionCase{"web", "current/world.h", false},
        // The editions stand beside each other, below the shells and the tools.
        DirectionCase{"current", "classic/world.h", false},
        DirectionCase{"classic", "current/world.h", false},
        DirectionCase{"classic", "web/web_shell.h", false}, DirectionCase{"classic", "app/run_game.h", false},
        DirectionCase{"current", "app/run_game.h", false}, DirectionCase{"current", "SDL2/SDL.h", false},
        DirectionCase{"classic", "SDL2/SDL.h", false}, DirectionCase{"classic", "tools/sim_edition.h", false},
        // Only the entry points stand on a shell.
        DirectionCase{"current/main.cpp", "app/run_game.h", true},
        DirectionCase{"classic/main.cpp", "SDL2/SDL.h", true},
        DirectionCase{"web/vortane_classic_web.cpp", "classic/edition.h", true},
        DirectionCase{"web/vortane_web.cpp", "current/edition.h", true},
        DirectionCase{"web/vortane_web.cpp", "classic/edition.h", false},
        // The tools and benchmarks: both editions, no platform, the shell only where
        // a program draws a frame.
        DirectionCase{"tools", "current/edition.h", true}, DirectionCase{"tools", "classic/edition.h", true},
        DirectionCase{"tools", "app/window.h", false}, DirectionCase{"tools", "SDL2/SDL.h", false},
        DirectionCase{"tools/vortane_shot.cpp", "app/offscreen_gl.h", true},
        DirectionCase{"tools/vortane_shot.cpp", "SDL2/SDL.h", false},
        DirectionCase{"bench", "app/offscreen_gl.h", false}, DirectionCase{"bench", "tools/editions.h", true},
        DirectionCase{"bench/frame_bench.cpp", "app/offscreen_gl.h", true},
        DirectionCase{"tools", "bench/bench_worlds.h", false},
        // What is allowed.
        DirectionCase{"game", "synth/voices.h", true}, DirectionCase{"game", "base/log.h", true},
        DirectionCase{"render", "game/grid_tables.h", true}, DirectionCase{"synth", "portaudio.h", true},
        DirectionCase{"render", "GL/gl.h", true}, DirectionCase{"app", "SDL2/SDL.h", true},
        DirectionCase{"app", "render/scene_parts.h", true}, DirectionCase{"classic", "game/grid.h", true},
        DirectionCase{"current", "render/scene_parts.h", true}));

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
