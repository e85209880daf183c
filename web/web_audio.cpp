#include "web/web_audio.h"

#include <emscripten.h>

#include "synth/audio_stream.h"
#include "synth/player_clock.h"
#include "synth/render_audio.h"
#include "synth/statistics.h"

extern "C" {
// web/web_shell.js
int WebAudioOpen(float* buffer, int frames);
void WebAudioClose();
double WebAudioLatency();
}

namespace {
constexpr int STREAM_FRAMES = 1024;

// The one buffer the script processor copies out of; only the browser's main thread
// touches it, between frames.
float streamBuffer[STREAM_FRAMES];

}  // namespace

extern "C" {
// The script processor's callback body: count frames (at most one buffer) into
// streamBuffer.
EMSCRIPTEN_KEEPALIVE void WebRenderAudio(int frames) {
    if (frames < 0) frames = 0;
    if (frames > STREAM_FRAMES) frames = STREAM_FRAMES;
    RenderAudio(streamBuffer, static_cast<unsigned long>(frames));
}
}

int32_t WebAudioBufferCount() { return bufferCount.load(std::memory_order_relaxed); }

// The browser's side of synth/audio_stream.h.
bool OpenAudioStream() { return true; }  // the context opens with the stream's start

bool StartAudioStream() {
    if (!WebAudioOpen(streamBuffer, STREAM_FRAMES)) {
        emscripten_log(EM_LOG_WARN, "vortane: no Web Audio in this browser; running silently");
        return false;
    }
    return true;  // the browser may still hold it until the first gesture
}

double AudioStreamLatency() { return WebAudioLatency(); }

// The node stops asking before the player frees anything a voice may refer to.
void CloseAudioStream() { WebAudioClose(); }

// The page's context is never lost as a device is: nothing to watch.
void WatchAudioStream() {}
