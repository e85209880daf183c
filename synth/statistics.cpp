#include "synth/statistics.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "base/log.h"
#include "synth/note_table.h"
#include "synth/player_clock.h"
#include "synth/render_audio.h"

namespace {
constexpr float MILLISECONDS_PER_SAMPLE = 1000.0f / 44100.0f;  // 0.022675738
constexpr int STREAM_BUFFER_FRAMES = 1024;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// 0/0 and x/0 print as 0.
double Finite(double value) { return std::isfinite(value) ? value : 0.0; }
}  // namespace

std::vector<std::string> StatisticsLines(const PlayerStatistics& f) {
    float average = f.bufferCount > 0 ? f.renderSeconds / f.bufferCount : 0.0f;
    float bufferSeconds = f.lastFrameCount * SAMPLE_PERIOD;
    float cpu = bufferSeconds > 0 ? average / bufferSeconds * 100 : 0.0f;
    float perSecond = f.runtime > 0 ? f.bufferCount / f.runtime : 0.0f;
    return {
        "Zonder stats:",
        Format(" Average buffer time: %.4fms", Finite(average * 1000)),
        Format(" Average buffer CPU time: %.2f%%", Finite(cpu)),
        Format(" Runtime: %.2fs", Finite(f.runtime)),
        Format(" Buffersize: %i samples, %i buffers (=%.2fms latency)", f.lastFrameCount, f.buffers,
               Finite(f.lastFrameCount * f.buffers * MILLISECONDS_PER_SAMPLE)),
        Format(" Average buffers/sec: %.2f", Finite(perSecond)),
    };
}

int32_t LatencyBuffers(double latencySeconds) {
    if (!(latencySeconds > 0)) return 0;
    return static_cast<int32_t>(std::lround(latencySeconds * SAMPLE_RATE / STREAM_BUFFER_FRAMES));
}

void LogPlayerStatistics(double latencySeconds) {
    PlayerStatistics figures = {};
    figures.runtime = PlayerClock.Since(CLOCK_PLAYER_START);
    figures.renderSeconds = renderSeconds.load(std::memory_order_relaxed);
    figures.bufferCount = bufferCount.load(std::memory_order_relaxed);
    figures.lastFrameCount = lastFrameCount.load(std::memory_order_relaxed);
    figures.buffers = LatencyBuffers(latencySeconds);
    for (const std::string& line : StatisticsLines(figures)) LogLine("%s", line.c_str());
}
