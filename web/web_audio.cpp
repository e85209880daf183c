#include "web/web_audio.h"

#include <emscripten.h>

#include "base/log.h"
#include "synth/player.h"
#include "synth/player_clock.h"
#include "synth/render_audio.h"
#include "synth/statistics.h"

namespace {
constexpr int STREAM_FRAMES = 1024;

// The one buffer the script processor copies out of; only the browser's main thread
// touches it, between frames.
float streamBuffer[STREAM_FRAMES];

// Makes the context and the node and connects them; resumes the context on the first
// key press, click or touch. The node keeps the last rendered buffer for the page's
// tests. Returns false when the browser has no Web Audio.
EM_JS(int, OpenWebAudioStream, (float* buffer, int frames), {
    var AudioContextType = window.AudioContext || window.webkitAudioContext;
    if (!AudioContextType) return 0;
    var context;
    try {
        context = new AudioContextType({sampleRate: 44100});
    } catch (e) {
        context = new AudioContextType();  // the browser refused the rate: it resamples anyway
    }
    var node = context.createScriptProcessor(frames, 0, 1);
    var audio = {context: context, node: node, last: new Float32Array(frames)};
    node.onaudioprocess = function(event) {
        var out = event.outputBuffer.getChannelData(0);
        for (var done = 0; done < out.length; done += frames) {
            var count = Math.min(frames, out.length - done);
            _WebRenderAudio(count);
            var samples = HEAPF32.subarray(buffer >> 2, (buffer >> 2) + count);
            out.set(samples, done);
            audio.last.set(samples.subarray(0, Math.min(count, audio.last.length)));
        }
    };
    node.connect(context.destination);
    var resume = function() {
        if (context.state === 'suspended') context.resume();
    };
    ['keydown', 'mousedown', 'pointerdown', 'touchstart'].forEach(function(name) {
        window.addEventListener(name, resume, true);
    });
    context.onstatechange = function() {
        if (Module.onAudioState) Module.onAudioState(context.state);
    };
    if (Module.onAudioState) Module.onAudioState(context.state);
    Module.webAudio = audio;
    return 1;
});

EM_JS(void, CloseWebAudioStream, (), {
    var audio = Module.webAudio;
    if (!audio) return;
    audio.node.onaudioprocess = null;
    audio.node.disconnect();
    audio.context.close();
});

EM_JS(double, WebAudioLatency, (), {
    var audio = Module.webAudio;
    if (!audio) return 0;
    return (audio.context.baseLatency || 0) + (audio.context.outputLatency || 0);
});
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

void StartPlayer() {
    ResetPlayerState();
    if (!OpenWebAudioStream(streamBuffer, STREAM_FRAMES)) {
        emscripten_log(EM_LOG_WARN, "vortane: no Web Audio in this browser; running silently");
    }
}

void StopPlayer() {
    PlayerStatistics figures = {};
    figures.runtime = PlayerClock.Since(CLOCK_PLAYER_START);
    figures.renderSeconds = renderSeconds.load(std::memory_order_relaxed);
    figures.bufferCount = bufferCount.load(std::memory_order_relaxed);
    figures.lastFrameCount = lastFrameCount.load(std::memory_order_relaxed);
    figures.buffers = LatencyBuffers(WebAudioLatency());
    for (const std::string& line : StatisticsLines(figures)) LogLine("%s", line.c_str());
    // The node stops asking before anything a voice may refer to is freed.
    CloseWebAudioStream();
    FreeSongInstruments();
}
