// Drawing and loading on the real GL path: a hidden window's context (Mesa under
// Xvfb when run by scripts/bench), the game's view, the textures from data/.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <string>

#include "app/data_dir.h"
#include "bench/bench_worlds.h"
#include "render/scene.h"
#include "render/textures.h"
#include "synth/song_files.h"
#include "tools/gl_context.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int FRAME_WIDTH = 800;
constexpr int FRAME_HEIGHT = 600;
const char* const SOUND_EFFECT_FILES[] = {"shot.zdi", "explode.zdi", "pickup.zdi", "die.zdi", "levelup.zdi"};

// The context for the whole run, opened on first use; null error when it is there.
const std::string& OpenContext() {
    static OffscreenGL gl;
    static std::string error = [] {
        std::string e;
        if (!gl.Open(FRAME_WIDTH, FRAME_HEIGHT, e)) return "no GL context: " + e;
        SetUpGameView(FRAME_WIDTH, FRAME_HEIGHT);
        cameraPos = Vector3(0, 0, 40);
        LoadGameTextures(DataDir());
        return std::string();
    }();
    return error;
}

// The timed frame, a function of its own so an instruction profile can count just
// these calls (scripts/bench --profile).
__attribute__((noinline)) void TimedFrameIssue() { DrawScene(); }
__attribute__((noinline)) void TimedFrameFinish() { glFinish(); }

// This thread's CPU time in microseconds.
double ThreadMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e6 + t.tv_nsec * 1e-3;
}

// Time per frame from the start of DrawScene to glFinish returning (the frame is
// on the framebuffer). The CPU column counts every thread of the process, so the
// GL driver's rasterising threads too; `issue_cpu_us` is the game thread's own CPU
// time inside DrawScene, issuing the calls.
void TimeFrames(benchmark::State& state, const WorldSnapshot& world) {
    if (!OpenContext().empty()) {
        state.SkipWithError(OpenContext().c_str());
        return;
    }
    PutWorldSnapshot(world);
    DrawScene();  // first frame: the driver compiles its state
    glFinish();
    double issue = 0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        double cpuStart = ThreadMicroseconds();
        TimedFrameIssue();
        issue += ThreadMicroseconds() - cpuStart;
        TimedFrameFinish();
        Clock::time_point done = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(done - start).count());
    }
    state.counters["issue_cpu_us"] = issue / static_cast<double>(state.iterations());
}

void BM_DrawSceneWorst(benchmark::State& state) { TimeFrames(state, WorstCaseWorld()); }
BENCHMARK(BM_DrawSceneWorst)
    ->Name("DrawScene/worst")
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_DrawSceneTypical(benchmark::State& state) { TimeFrames(state, TypicalWorldAfter(800)); }
BENCHMARK(BM_DrawSceneTypical)
    ->Name("DrawScene/typical")
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// Start-up's loads: the 17 textures (read, mipmapped, uploaded), then the five
// sound effects and the song.
void BM_LoadTextures(benchmark::State& state) {
    if (!OpenContext().empty()) {
        state.SkipWithError(OpenContext().c_str());
        return;
    }
    for (auto _ : state) {
        ReleaseTextures();
        LoadGameTextures(DataDir());
        glFinish();
    }
}
BENCHMARK(BM_LoadTextures)->Name("Load/textures")->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_LoadSounds(benchmark::State& state) {
    std::string dataDir = DataDir();
    for (auto _ : state) {
        int slot = 0;
        for (const char* name : SOUND_EFFECT_FILES) LoadSoundEffect(slot++, (dataDir + name).c_str());
        benchmark::DoNotOptimize(LoadSongFile((dataDir + "zazizer.zds").c_str()));
    }
}
// Each load keeps the instrument it replaces alive, so the count is kept small.
BENCHMARK(BM_LoadSounds)->Name("Load/sounds_and_song")->Iterations(50)->Unit(benchmark::kMillisecond);

}  // namespace
