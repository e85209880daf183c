// Drawing and loading on the real GL path: a hidden window's context (Mesa under
// Xvfb when run by scripts/bench), the game's view, the textures from data/. The
// frames are timed through each draw back-end side by side: fixed function (the
// names without a suffix) and OpenGL ES 2 (`/gles2`, in an ES context of its own).
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <string>

#include "app/data_dir.h"
#include "bench/bench_worlds.h"
#include "game/sound_effects.h"
#include "render/current_edition.h"
#include "render/draw_backend.h"
#include "render/fixed_backend.h"
#include "render/gles2_backend.h"
#include "render/scene.h"
#include "synth/instrument_file.h"
#include "synth/song_file.h"
#include "tools/gl_context.h"

namespace {

using Clock = std::chrono::steady_clock;

const Edition& edition = currentEdition;

// One context at a time, made for the back-end last asked for; empty error when it is
// there. Switching back-ends closes the context and opens one of the other kind.
const std::string& UseBackend(const DrawBackend& backend) {
    static OffscreenGL gl;
    static const DrawBackend* openFor = nullptr;
    static std::string error;
    if (openFor == &backend) return error;
    edition.releaseGraphics();
    gl.Close();
    SelectDrawBackend(backend);
    openFor = &backend;
    error.clear();
    if (!gl.Open(edition.width, edition.height, error)) {
        error = "no GL context: " + error;
        return error;
    }
    SetUpGameView(edition.width, edition.height);
    cameraPos = Vector3(0, 0, 40);
    edition.loadGraphics(DataDir(EditionDataMarker(edition.name)));
    return error;
}

// The timed frame, a function of its own so an instruction profile can count just
// these calls (scripts/bench --profile).
__attribute__((noinline)) void TimedFrameIssue() { edition.drawScene(); }
__attribute__((noinline)) void TimedFrameFinish() { glFinish(); }

// This thread's CPU time in microseconds.
double ThreadMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e6 + t.tv_nsec * 1e-3;
}

// Puts the world in place for `backend` and draws a few untimed frames: the driver
// compiles its state on the first and allocates its binning memory over the first
// two or three. False, with the benchmark skipped, without a context.
bool PrepareFrames(benchmark::State& state, const DrawBackend& backend, const WorldSnapshot& world) {
    const std::string& error = UseBackend(backend);
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return false;
    }
    PutWorldSnapshot(world);
    for (int frame = 0; frame < 3; ++frame) {
        edition.drawScene();
        glFinish();
    }
    return true;
}

struct FrameTimes {
    double wallSeconds;        // from the start of DrawScene to glFinish returning
    double issueMicroseconds;  // the game thread's own CPU time inside DrawScene
};

FrameTimes TimeOneFrame() {
    Clock::time_point start = Clock::now();
    double cpuStart = ThreadMicroseconds();
    TimedFrameIssue();
    double issue = ThreadMicroseconds() - cpuStart;
    TimedFrameFinish();
    return {std::chrono::duration<double>(Clock::now() - start).count(), issue};
}

// Time per frame from the start of DrawScene to glFinish returning (the frame is
// on the framebuffer). The CPU column counts every thread of the process, so the
// GL driver's rasterising threads too; `issue_cpu_us` is the game thread's own CPU
// time inside DrawScene, issuing the calls.
void TimeFrames(benchmark::State& state, const DrawBackend& backend, const WorldSnapshot& world) {
    if (!PrepareFrames(state, backend, world)) return;
    double issue = 0;
    for (auto _ : state) {
        FrameTimes times = TimeOneFrame();
        issue += times.issueMicroseconds;
        state.SetIterationTime(times.wallSeconds);
    }
    state.counters["issue_cpu_us"] = issue / static_cast<double>(state.iterations());
    if (&backend == &GLES2_DRAW_BACKEND) state.counters["draw_calls"] = Gles2DrawCallsLastFrame();
}

// Both back-ends issuing the worst frame in turn within every iteration, so a busy
// machine slows them alike: `gles2_over_fixed` is the GLES2 back-end's issuing time
// over fixed function's, the figure the back-end is held to (at most 0.25). The
// time column is both back-ends' issuing time per iteration.
void BM_DrawSceneWorstIssueRatio(benchmark::State& state) {
    constexpr int FRAMES_PER_TURN = 8;
    const DrawBackend* const turns[] = {&FIXED_DRAW_BACKEND, &GLES2_DRAW_BACKEND};
    double issue[2] = {};
    for (auto _ : state) {
        double iteration = 0;
        for (int turn = 0; turn < 2; ++turn) {
            if (!PrepareFrames(state, *turns[turn], WorstCaseWorld())) return;
            for (int frame = 0; frame < FRAMES_PER_TURN; ++frame) {
                double frameIssue = TimeOneFrame().issueMicroseconds;
                issue[turn] += frameIssue;
                iteration += frameIssue;
            }
        }
        state.SetIterationTime(iteration * 1e-6);
    }
    double frames = static_cast<double>(state.iterations()) * FRAMES_PER_TURN;
    state.counters["fixed_issue_us"] = issue[0] / frames;
    state.counters["gles2_issue_us"] = issue[1] / frames;
    state.counters["gles2_over_fixed"] = issue[0] > 0 ? issue[1] / issue[0] : 0;
}
// Each iteration opens a context of each kind and loads the textures into it.
BENCHMARK(BM_DrawSceneWorstIssueRatio)
    ->Name("DrawScene/worst/gles2_over_fixed")
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_DrawSceneWorst(benchmark::State& state) { TimeFrames(state, FIXED_DRAW_BACKEND, WorstCaseWorld()); }
BENCHMARK(BM_DrawSceneWorst)
    ->Name("DrawScene/worst")
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_DrawSceneWorstGles2(benchmark::State& state) {
    TimeFrames(state, GLES2_DRAW_BACKEND, WorstCaseWorld());
}
BENCHMARK(BM_DrawSceneWorstGles2)
    ->Name("DrawScene/worst/gles2")
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// The same with the batches' texture units capped: fewer samplers for each fragment
// to choose among, more draws.
void BM_DrawSceneWorstGles2Units(benchmark::State& state) {
    SetGles2TextureUnitLimit(int32_t(state.range(0)));
    TimeFrames(state, GLES2_DRAW_BACKEND, WorstCaseWorld());
    SetGles2TextureUnitLimit(GLES2_DEFAULT_TEXTURE_UNITS);
}
BENCHMARK(BM_DrawSceneWorstGles2Units)
    ->Name("DrawScene/worst/gles2_units")
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->Arg(16)
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_DrawSceneTypical(benchmark::State& state) {
    TimeFrames(state, FIXED_DRAW_BACKEND, TypicalWorldAfter(800));
}
BENCHMARK(BM_DrawSceneTypical)
    ->Name("DrawScene/typical")
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_DrawSceneTypicalGles2(benchmark::State& state) {
    TimeFrames(state, GLES2_DRAW_BACKEND, TypicalWorldAfter(800));
}
BENCHMARK(BM_DrawSceneTypicalGles2)
    ->Name("DrawScene/typical/gles2")
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// Start-up's loads: the 17 textures (read, mipmapped, uploaded), then the five
// sound effects and the song.
void BM_LoadTextures(benchmark::State& state, const DrawBackend& backend) {
    const std::string& error = UseBackend(backend);
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        edition.releaseGraphics();
        edition.loadGraphics(DataDir(EditionDataMarker(edition.name)));
        glFinish();
    }
}
BENCHMARK_CAPTURE(BM_LoadTextures, fixed, FIXED_DRAW_BACKEND)
    ->Name("Load/textures")
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
// Our own box-filter mipmaps instead of GLU's.
BENCHMARK_CAPTURE(BM_LoadTextures, gles2, GLES2_DRAW_BACKEND)
    ->Name("Load/textures/gles2")
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

void BM_LoadSounds(benchmark::State& state) {
    std::string dataDir = DataDir(EditionDataMarker(edition.name));
    for (auto _ : state) {
        LoadSoundEffects(dataDir);
        benchmark::DoNotOptimize(LoadSongFile((dataDir + SONG_FILE).c_str()));
    }
}
// Each load keeps the instrument it replaces alive, so the count is kept small.
BENCHMARK(BM_LoadSounds)->Name("Load/sounds_and_song")->Iterations(50)->Unit(benchmark::kMillisecond);

}  // namespace
