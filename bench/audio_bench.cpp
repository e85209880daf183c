// The audio callback's body: one 1024-frame buffer with six sounding voices.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "synth/curve.h"
#include "synth/instrument.h"
#include "synth/player.h"
#include "synth/render_audio.h"
#include "synth/voices.h"

namespace {

constexpr unsigned long BUFFER_FRAMES = 1024;

void SetCurve(Curve& curve, int length, bool loop, float loopPoint, std::vector<float> xy) {
    curve = Curve{};
    curve.length = length;
    curve.loop = loop;
    curve.loopPoint = loopPoint;
    curve.count = static_cast<int32_t>(xy.size() / 2);
    for (int i = 0; i < curve.count; ++i) {
        curve.x[i] = xy[2 * i] / 255.0f;
        curve.y[i] = xy[2 * i + 1] / 255.0f;
    }
    DeriveSlopes(curve);
}

// A sustained note that keeps every per-tick stage busy: two 16-point shapes
// blended by a looping morph, looping amp and pitch envelopes, a six-step arpeggio
// stepping every other tick. With `noise` the waveform is rebuilt at every cycle.
Instrument BusyInstrument(bool noise) {
    Instrument in{};
    std::vector<float> a, b;
    for (int i = 0; i < 16; ++i) {
        float x = i == 15 ? 255 : i * 17;
        a.insert(a.end(), {x, static_cast<float>((i * 97) % 256)});
        b.insert(b.end(), {x, static_cast<float>((i * 53 + 40) % 256)});
    }
    SetCurve(in.shapeA, 1, false, 0, a);
    SetCurve(in.shapeB, 1, false, 0, b);
    SetCurve(in.amp, 300, true, 0.5f, {0, 0, 8, 255, 128, 200, 255, 220});
    SetCurve(in.release, 120, false, 0, {0, 255, 255, 0});
    SetCurve(in.pitch, 200, true, 0, {0, 128, 100, 131, 200, 125, 255, 128});
    SetCurve(in.morph, 400, true, 0, {0, 0, 128, 255, 255, 0});
    in.arpCount = 6;
    in.arpSpeed = 104;
    const int offsets[] = {0, 4, 7, 12, 7, 4};
    std::memcpy(in.arpOffsets, offsets, sizeof(offsets));
    in.oneShot = 0;
    in.noise = noise;
    return in;
}

// Six voices sounding `instrument` on notes spread over four octaves, run past
// their attacks so every buffer is a steady one.
void StartSixVoices(const Instrument& instrument) {
    ResetPlayerState();
    const int notes[] = {36, 48, 55, 60, 67, 72};
    for (int v = 0; v < VOICE_COUNT; ++v) StartNote(&instrument, notes[v], v);
    std::vector<float> out(BUFFER_FRAMES);
    for (int i = 0; i < 20; ++i) RenderAudio(out.data(), BUFFER_FRAMES);
}

void TimeBuffers(benchmark::State& state, const Instrument& instrument) {
    StartSixVoices(instrument);
    std::vector<float> out(BUFFER_FRAMES);
    int active = 0;
    for (auto _ : state) {
        RenderAudio(out.data(), BUFFER_FRAMES);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    for (const Voice& v : liveVoices) active += v.active;
    state.counters["active_voices"] = active;
}

void BM_RenderAudioShapes(benchmark::State& state) {
    static const Instrument instrument = BusyInstrument(false);
    TimeBuffers(state, instrument);
}
BENCHMARK(BM_RenderAudioShapes)->Name("RenderAudio/six_shape_voices")->Unit(benchmark::kMicrosecond);

void BM_RenderAudioNoise(benchmark::State& state) {
    static const Instrument instrument = BusyInstrument(true);
    TimeBuffers(state, instrument);
}
BENCHMARK(BM_RenderAudioNoise)->Name("RenderAudio/six_noise_voices")->Unit(benchmark::kMicrosecond);

void BM_RenderAudioSilent(benchmark::State& state) {
    ResetPlayerState();
    std::vector<float> out(BUFFER_FRAMES);
    for (auto _ : state) {
        RenderAudio(out.data(), BUFFER_FRAMES);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_RenderAudioSilent)->Name("RenderAudio/silent")->Unit(benchmark::kMicrosecond);

}  // namespace
