#pragma once
// A PulseAudio server of a test's own, whose output can be recorded and measured.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/programs.h"

// A PulseAudio server in a temporary folder under /tmp, with one null sink "vtest" whose
// monitor can be recorded, and a HOME (under `folder`) whose .asoundrc sends ALSA's
// default device to it. Env() is what a program needs to play into it.
class PrivateSound {
public:
    explicit PrivateSound(const std::string& folder);
    ~PrivateSound();
    bool Ok() const { return ok_; }
    const std::vector<std::string>& Env() const { return env_; }
    const std::string& Log() const { return log_; }

    // Kills the server, as a crash would: its clients lose their streams.
    void Kill();
    // Starts the server again on the same socket; false when it does not answer.
    bool Restart();

    // Records the sink's monitor as 44100 Hz mono signed 16-bit samples into `file`.
    Child StartRecording(const std::string& file) const;

private:
    bool StartServer();

    Child server_;
    std::string socket_;
    std::vector<std::string> env_;
    std::string log_;
    std::string serverFolder_;  // runtime folder and socket
    bool ok_ = false;
};

// The samples of a raw recording.
std::vector<int16_t> ReadRecording(const std::string& file);

// Root-mean-square of samples [first, last) of a recording; -1 when the range
// holds no samples.
double RecordingRms(const std::vector<int16_t>& samples, size_t first, size_t last);
