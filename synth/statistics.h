#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The figures StopPlayer reports.
struct PlayerStatistics {
    float renderSeconds;  // sum of the buffers' render times
    int32_t bufferCount;
    int32_t lastFrameCount;  // frames of the most recent buffer
    float runtime;           // seconds since the player started
    int32_t buffers;         // the stream's latency in buffers of 1024 frames
};

// The six log lines, header first: "Zonder stats:", then the averages, run
// time, buffer size and buffers per second. An average over no buffers or no
// time prints as 0 rather than NaN or infinity.
std::vector<std::string> StatisticsLines(const PlayerStatistics& figures);

// The buffer count that stands for a stream's reported output latency in
// seconds: round(latency × 44100 / 1024), 0 for no stream.
int32_t LatencyBuffers(double latencySeconds);

// StopPlayer's report, for any audio stream: the callback's figures and the run
// time gathered, the stream's output latency (seconds) turned into buffers, and
// the lines written to the log.
void LogPlayerStatistics(double latencySeconds);
