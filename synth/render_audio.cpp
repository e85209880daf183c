#include "synth/render_audio.h"

#include "base/log.h"
#include "synth/output_volume.h"
#include "synth/player_clock.h"
#include "synth/sequencer.h"
#include "synth/voices.h"

int32_t controlCounter = CONTROL_COUNTER_START;
std::atomic<float> renderSeconds{0.0f};
std::atomic<int32_t> bufferCount{0};
std::atomic<int32_t> lastFrameCount{0};

namespace {

// The sum over the six voices in order, as written.
float SumVoices() {
    float sum = 0.0f;
    for (int v = 0; v < VOICE_COUNT; v++) {
        if (liveVoices[v].active) sum += VoiceSample(liveVoices[v]);
    }
    return sum;
}

}  // namespace

void RenderAudio(float* out, unsigned long frameCount) {
    PlayerClock.Mark(CLOCK_BUFFER);
    // The player's volumes, once a buffer; at full volume the mix is untouched.
    OutputGains gains = OutputVolume();
    bool fullVolume = gains.effects == 1.0f && gains.music == 1.0f;
    for (unsigned long i = 0; i < frameCount; i++) {
        // Requests made before this sample land exactly where a direct write would.
        DrainVoiceRequests();
        TakeSongRequest();
        AdvanceSequencer();
        controlCounter += 1;
        if (controlCounter >= CONTROL_TICK_SAMPLES) {
            controlCounter = 0;
            VoiceControlTick();
        }
        out[i] = fullVolume ? SumVoices() : SumVoicesAtVolume(gains);
    }
    lastFrameCount.store(static_cast<int32_t>(frameCount), std::memory_order_relaxed);
    float seconds = PlayerClock.Since(CLOCK_BUFFER);
    if (seconds * 1000 > TIMING_WARNING_MS) {
        LogLine("Large buffer time: %.2fms @ %.2fs runtime", seconds * 1000,
                PlayerClock.Since(CLOCK_PLAYER_START));
    }
    // Single writer: a plain load and store is enough.
    renderSeconds.store(renderSeconds.load(std::memory_order_relaxed) + seconds, std::memory_order_relaxed);
    bufferCount.fetch_add(1, std::memory_order_relaxed);
}
