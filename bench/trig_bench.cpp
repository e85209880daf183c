// The world's trigonometry: one call of each function on the angles the rules make,
// and the most a world step can ask of it (every entity an Orbiter or a Dropping,
// two calls each, and the heading's turn), against the step's budget of 500 us
// (docs/PERFORMANCE.md).
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "current/world.h"
#include "game/trigonometry.h"

namespace {

// Angles as the rules make them: a counter times a single-precision step.
std::vector<double> WorldAngles() {
    std::vector<double> angles;
    for (int n = 0; n < 4096; ++n) angles.push_back(static_cast<double>(n) * 0.1f);
    return angles;
}

std::vector<double> Cosines() {
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> pick(-1, 1);
    std::vector<double> values;
    for (int n = 0; n < 4096; ++n) values.push_back(pick(random));
    return values;
}

void RunOver(benchmark::State& state, double (*function)(double), const std::vector<double>& arguments) {
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(function(arguments[i]));
        i = (i + 1) % arguments.size();
    }
}

void BM_Sine(benchmark::State& state) { RunOver(state, Sine, WorldAngles()); }
BENCHMARK(BM_Sine)->Name("Trigonometry/sine")->Unit(benchmark::kNanosecond);

void BM_Cosine(benchmark::State& state) { RunOver(state, Cosine, WorldAngles()); }
BENCHMARK(BM_Cosine)->Name("Trigonometry/cosine")->Unit(benchmark::kNanosecond);

void BM_ArcCosine(benchmark::State& state) { RunOver(state, ArcCosine, Cosines()); }
BENCHMARK(BM_ArcCosine)->Name("Trigonometry/arc_cosine")->Unit(benchmark::kNanosecond);

// One step's worst: a cosine and a sine for every entity slot, then the heading.
void BM_WorstStep(benchmark::State& state) {
    std::vector<double> angles = WorldAngles();
    std::vector<double> cosines = Cosines();
    size_t i = 0;
    for (auto _ : state) {
        double sum = 0;
        for (int e = 0; e < ENTITY_CAPACITY; ++e) {
            double angle = angles[(i + e) % angles.size()];
            sum += Cosine(angle) + Sine(angle);
        }
        double heading = ArcCosine(cosines[i % cosines.size()]);
        sum += Cosine(heading) + Sine(heading);
        benchmark::DoNotOptimize(sum);
        i += ENTITY_CAPACITY;
    }
}
BENCHMARK(BM_WorstStep)->Name("Trigonometry/worst_step")->Unit(benchmark::kMicrosecond);

}  // namespace
