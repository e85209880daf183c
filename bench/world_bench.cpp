// The world step: UpdateWorld in a busy game and in the fullest world the tables
// allow, and the grid step alone, plain against optimised.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include <immintrin.h>

#include "bench/bench_worlds.h"
#include "current/edition.h"
#include "current/grid.h"
#include "current/grid_reference.h"
#include "current/update.h"
#include "current/world.h"
#include "game/grid.h"
#include "game/grid_kernels.h"
#include "game/grid_terms.h"

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// This thread's CPU time in microseconds: a step's own cost, without the time the
// thread spent waiting for a core on a busy machine.
double ThreadMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e6 + t.tv_nsec * 1e-3;
}

// One step of the busy game per iteration; the game goes on from step to step and
// starts over (untimed) when the script has run out.
void BM_UpdateWorldTypical(benchmark::State& state) {
    SetUpWorld(currentEdition, TYPICAL_SEED);
    std::unique_ptr<Controls> controls = TypicalControls();
    long step = 0;
    for (auto _ : state) {
        if (step == TypicalScriptSteps()) {
            state.PauseTiming();
            SetUpWorld(currentEdition, TYPICAL_SEED);
            controls = TypicalControls();
            step = 0;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(UpdateWorld(*controls));
        step += 1;
    }
}
BENCHMARK(BM_UpdateWorldTypical)->Name("UpdateWorld/typical")->Unit(benchmark::kMicrosecond);

// The whole script per iteration, each step timed on its own by the thread's CPU
// time: the median, the 99th percentile and the slowest step of the game.
void BM_UpdateWorldTypicalSteps(benchmark::State& state) {
    std::vector<double> times(static_cast<size_t>(TypicalScriptSteps()));
    std::vector<double> all;
    int forces = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SetUpWorld(currentEdition, TYPICAL_SEED);
        std::unique_ptr<Controls> controls = TypicalControls();
        state.ResumeTiming();
        for (double& t : times) {
            double start = ThreadMicroseconds();
            UpdateWorld(*controls);
            t = ThreadMicroseconds() - start;
            forces = std::max(forces, gridForceCount);
        }
        all.insert(all.end(), times.begin(), times.end());
    }
    std::sort(all.begin(), all.end());
    auto at = [&all](double q) { return all[static_cast<size_t>(q * (all.size() - 1))]; };
    state.counters["step_cpu_median_us"] = at(0.5);
    state.counters["step_cpu_p99_us"] = at(0.99);
    state.counters["step_cpu_max_us"] = all.back();
    state.counters["most_forces"] = forces;
    state.counters["steps"] = static_cast<double>(TypicalScriptSteps());
}
BENCHMARK(BM_UpdateWorldTypicalSteps)->Name("UpdateWorld/typical_script")->Unit(benchmark::kMillisecond);

// The timed step, a function of its own so an instruction profile can count just
// these calls (scripts/bench --profile).
__attribute__((noinline)) bool TimedWorldStep(Controls& input) { return UpdateWorld(input); }

// The same step from the fullest world every time.
void TimeWorstSteps(benchmark::State& state, const WorldSnapshot& world) {
    IdleControls idle;
    int forces = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PutWorldSnapshot(world);
        state.ResumeTiming();
        benchmark::DoNotOptimize(TimedWorldStep(idle));
        forces = gridForceCount;
    }
    state.counters["forces"] = forces;
}

void BM_UpdateWorldWorst(benchmark::State& state) { TimeWorstSteps(state, WorstCaseWorld()); }
BENCHMARK(BM_UpdateWorldWorst)->Name("UpdateWorld/worst")->Unit(benchmark::kMicrosecond);

void BM_UpdateWorldWorstShots(benchmark::State& state) { TimeWorstSteps(state, WorstCaseShotsOnlyWorld()); }
BENCHMARK(BM_UpdateWorldWorstShots)->Name("UpdateWorld/worst_shots_only")->Unit(benchmark::kMicrosecond);

// A rippling grid with `count` forces: shots' pushes and drags and rings of many
// sizes, spread over the sheet, as in a crowded game.
std::shared_ptr<WorldSnapshot> GridWithForces(int count) {
    SetUpWorld(currentEdition, 99);
    std::mt19937 rng(static_cast<unsigned>(count) + 1);
    std::uniform_real_distribution<double> x(-22, 22), y(-16, 16), v(-0.5, 0.5);
    for (int n = 0; n < gridNodeCount; ++n) {
        gridPos[n] = gridRestPos[n] + Vector3(v(rng), v(rng), 0);
        gridVel[n] = {v(rng) * 0.1, v(rng) * 0.1, 0};
    }
    gridForceCount = 0;
    for (int k = 0; k < count; ++k) {
        if (k % 3 == 2) {
            AddGridForce({x(rng), y(rng), 0}, {0, 0, 0}, 1 + (k * 13) % 99, 0.8f, 0, 0);
        } else {
            AddGridForce({x(rng), y(rng), 0}, {v(rng), v(rng), 0}, 0, 0, 0.1f, 0.3f);
        }
    }
    return TakeWorldSnapshot();
}

// StepGrid leaves the forces in place, so every iteration steps under the same
// forces; the sheet is put back now and then so it never drifts far from a game's.
template <class Step>
void TimeGridSteps(benchmark::State& state, Step step) {
    int count = static_cast<int>(state.range(0));
    std::shared_ptr<WorldSnapshot> world = GridWithForces(count);
    long done = 0;
    for (auto _ : state) {
        if (done++ % 256 == 0) {
            state.PauseTiming();
            PutWorldSnapshot(*world);
            state.ResumeTiming();
        }
        step();
    }
    state.counters["forces"] = count;
    state.SetItemsProcessed(state.iterations() * gridNodeCount * std::max(count, 1));
}

void BM_GridStepReference(benchmark::State& state) { TimeGridSteps(state, StepGridReference); }

void BM_GridStep(benchmark::State& state, GridKernel kernel) {
    GridKernel saved = ActiveGridKernel();
    if (!UseGridKernel(kernel)) {
        state.SkipWithError("this processor lacks the instructions");
        return;
    }
    TimeGridSteps(state, StepGrid);
    UseGridKernel(saved);
}

BENCHMARK(BM_GridStepReference)
    ->Name("GridStep/plain")
    ->Arg(0)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GridStep, scalar, GridKernel::Scalar)
    ->Name("GridStep/scalar")
    ->Arg(0)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GridStep, sse2, GridKernel::Sse2)
    ->Name("GridStep/sse2")
    ->Arg(0)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GridStep, avx, GridKernel::Avx)
    ->Name("GridStep/avx")
    ->Arg(0)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);

// Plain and optimised (the kernel the game picks) side by side in one loop, each
// step timed, from the same starting sheet: the gain as a ratio measured under the
// same conditions. The results of the two are also compared, bit for bit.
void BM_GridStepSpeedup(benchmark::State& state) {
    int count = static_cast<int>(state.range(0));
    std::shared_ptr<WorldSnapshot> world = GridWithForces(count);
    double plain = 0, fast = 0;
    bool same = true;
    for (auto _ : state) {
        PutWorldSnapshot(*world);
        Clock::time_point start = Clock::now();
        StepGridReference();
        plain += Microseconds(Clock::now() - start);
        std::vector<Vector3> expected(gridPos, gridPos + gridNodeCount);
        PutWorldSnapshot(*world);
        start = Clock::now();
        StepGrid();
        fast += Microseconds(Clock::now() - start);
        same = same && std::memcmp(expected.data(), gridPos, expected.size() * sizeof(Vector3)) == 0;
    }
    if (!same) state.SkipWithError("the optimised step gave different results");
    state.counters["plain_us"] = plain / state.iterations();
    state.counters["optimised_us"] = fast / state.iterations();
    state.counters["speedup"] = plain / fast;
    state.SetLabel(GridKernelName(ActiveGridKernel()));
}
BENCHMARK(BM_GridStepSpeedup)
    ->Name("GridStep/speedup")
    ->Arg(0)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);

// The floor under the grid step at 100 forces: its 2200 × 100 square roots and
// divisions as 55,000 four-wide pairs, eight independent chains, nothing else.
volatile double floorSink;

__attribute__((target("avx"), noinline)) void SqrtDivPairs(long pairs) {
    __m256d value[8];
    const __m256d one = _mm256_set1_pd(1.0);
    for (int i = 0; i < 8; ++i) value[i] = _mm256_set1_pd(2.5 + i);
    __m256d sum = _mm256_setzero_pd();
    for (long k = 0; k < pairs / 8; ++k) {
        for (int i = 0; i < 8; ++i) {
            __m256d w = _mm256_div_pd(one, _mm256_sqrt_pd(value[i]));
            sum = _mm256_add_pd(sum, w);
            value[i] = _mm256_add_pd(value[i], one);
        }
    }
    double lanes[4];
    _mm256_storeu_pd(lanes, sum);
    floorSink = lanes[0];
}

void BM_DividerFloor(benchmark::State& state) {
    if (!GridKernelSupported(GridKernel::Avx)) {
        state.SkipWithError("this processor lacks AVX");
        return;
    }
    const long pairs = 2200L * 100 / 4;
    for (auto _ : state) SqrtDivPairs(pairs);
}
BENCHMARK(BM_DividerFloor)->Name("GridStep/avx_sqrt_div_floor/100")->Unit(benchmark::kMicrosecond);

}  // namespace
