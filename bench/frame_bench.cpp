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
#include "app/offscreen_gl.h"
#include "bench/bench_worlds.h"
#include "current/edition.h"
#include "game/sound_effects.h"
#include "render/draw_backend.h"
#include "render/fixed_backend.h"
#include "render/gles2_backend.h"
#include "render/scene_parts.h"
#include "synth/instrument_file.h"
#include "synth/song_file.h"

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

// A CPU clock's time in microseconds: this thread's (CLOCK_THREAD_CPUTIME_ID) or the
// whole process's, every thread of it (CLOCK_PROCESS_CPUTIME_ID).
double CpuMicroseconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e6 + t.tv_nsec * 1e-3;
}

double ThreadMicroseconds() { return CpuMicroseconds(CLOCK_THREAD_CPUTIME_ID); }

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
    double frameMicroseconds;  // every thread's CPU time, DrawScene to glFinish returning
};

FrameTimes TimeOneFrame() {
    Clock::time_point start = Clock::now();
    double processStart = CpuMicroseconds(CLOCK_PROCESS_CPUTIME_ID);
    double cpuStart = ThreadMicroseconds();
    TimedFrameIssue();
    double issue = ThreadMicroseconds() - cpuStart;
    TimedFrameFinish();
    double frame = CpuMicroseconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
    return {std::chrono::duration<double>(Clock::now() - start).count(), issue, frame};
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

// Both back-ends drawing the same frame in turn within every iteration, so a busy
// machine slows them alike. Two figures, each GLES2 over fixed function:
// `gles2_over_fixed`, the game thread's CPU time issuing the frame (held to at most
// 0.25), and `frame_cpu_gles2_over_fixed`, every thread's CPU time from the start of
// DrawScene to glFinish returning, the GL driver's rasterising threads included (held
// to at most 1). The time column is both back-ends' issuing time per iteration.
void BM_DrawSceneRatio(benchmark::State& state, const WorldSnapshot& (*world)()) {
    constexpr int FRAMES_PER_TURN = 8;
    const DrawBackend* const turns[] = {&FIXED_DRAW_BACKEND, &GLES2_DRAW_BACKEND};
    double issue[2] = {}, frame[2] = {};
    for (auto _ : state) {
        double iteration = 0;
        for (int turn = 0; turn < 2; ++turn) {
            if (!PrepareFrames(state, *turns[turn], world())) return;
            for (int f = 0; f < FRAMES_PER_TURN; ++f) {
                FrameTimes times = TimeOneFrame();
                issue[turn] += times.issueMicroseconds;
                frame[turn] += times.frameMicroseconds;
                iteration += times.issueMicroseconds;
            }
        }
        state.SetIterationTime(iteration * 1e-6);
    }
    double frames = static_cast<double>(state.iterations()) * FRAMES_PER_TURN;
    state.counters["fixed_issue_us"] = issue[0] / frames;
    state.counters["gles2_issue_us"] = issue[1] / frames;
    state.counters["gles2_over_fixed"] = issue[0] > 0 ? issue[1] / issue[0] : 0;
    state.counters["fixed_frame_cpu_us"] = frame[0] / frames;
    state.counters["gles2_frame_cpu_us"] = frame[1] / frames;
    state.counters["frame_cpu_gles2_over_fixed"] = frame[0] > 0 ? frame[1] / frame[0] : 0;
}
// Each iteration opens a context of each kind and loads the textures into it.
BENCHMARK_CAPTURE(BM_DrawSceneRatio, worst, WorstCaseWorld)
    ->Name("DrawScene/worst/gles2_over_fixed")
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

const WorldSnapshot& TypicalWorld() { return TypicalWorldAfter(800); }
BENCHMARK_CAPTURE(BM_DrawSceneRatio, typical, TypicalWorld)
    ->Name("DrawScene/typical/gles2_over_fixed")
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

// Start-up's loads: the 17 textures (read, mipmapped, uploaded; for GLES2 read and
// packed into the atlas, uploaded at the first frame), then the five sound effects
// and the song.
void BM_LoadTextures(benchmark::State& state, const DrawBackend& backend) {
    const std::string& error = UseBackend(backend);
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        edition.releaseGraphics();
        edition.loadGraphics(DataDir(EditionDataMarker(edition.name)));
        // An empty frame: the GLES2 back-end lays out and uploads its atlas at the first.
        ActiveDrawBackend().beginFrame(cameraPos);
        ActiveDrawBackend().endFrame();
        glFinish();
    }
}
BENCHMARK_CAPTURE(BM_LoadTextures, fixed, FIXED_DRAW_BACKEND)
    ->Name("Load/textures")
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
// The pictures packed into one atlas instead of GLU's mipmaps.
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
