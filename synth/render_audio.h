#pragma once
#include <atomic>
#include <cstdint>

// The body of the audio stream's callback: renders frameCount mono float
// samples at 44100 Hz into out, the unclamped sum of the six voices (at the
// player's volumes, synth/output_volume.h, when they are below full). Runs the
// queued voice requests, the sequencer ticks and the control ticks as it goes,
// and times itself. Allocates nothing and takes no lock.
void RenderAudio(float* out, unsigned long frameCount);

// Samples until the next control tick: it runs when the counter reaches 44.
// Starts at 43 so the first sample rendered runs one.
extern int32_t controlCounter;
constexpr int CONTROL_COUNTER_START = 43;

// Written by the audio thread after every buffer; read by StopPlayer while the
// callback may still run.
extern std::atomic<float> renderSeconds;
extern std::atomic<int32_t> bufferCount;
extern std::atomic<int32_t> lastFrameCount;

// Warnings go to the log when one buffer or one sequencer tick takes longer.
constexpr float TIMING_WARNING_MS = 0.5f;
